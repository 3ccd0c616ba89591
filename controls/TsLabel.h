#pragma once

#include "controls/TsCustomLabel.h"

// The skinned label with a switch for the skin's text colour: with UseSkinColor off it keeps
// its own font colour, also when the skin is removed.
class TsLabel : public TsCustomLabel {
public:
    explicit TsLabel(TComponent* owner);
    std::string ClassName() const override { return "TsLabel"; }

    bool UseSkinColor() const { return m_useSkinColor; }
    void SetUseSkinColor(bool use);

protected:
    void ApplySkinFontColour() override;
    void HandleSkinRemoved(TMessage& m) override;

private:
    bool m_useSkinColor = true;
};
