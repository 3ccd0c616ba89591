#pragma once

#include "platform/core/Color.h"

class TControl;

enum class TsKindType { ktStandard, ktCustom, ktSkin };

// Where an effect label's text colour comes from: the label's Color (ktStandard), Color here
// (ktCustom), or the skin's global outline colour with Color here as the fallback (ktSkin).
// Every change repaints the owning label.
class TsKind {
public:
    explicit TsKind(TControl& owner) : m_owner(owner) {}

    TsKindType KindType() const { return m_kindType; }
    void SetKindType(TsKindType type);
    TColor Color() const { return m_color; }
    void SetColor(TColor colour);

private:
    TControl& m_owner;
    TsKindType m_kindType = TsKindType::ktSkin;
    TColor m_color = 0xFFFFFF;
};
