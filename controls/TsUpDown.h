#pragma once

#include <string>

#include "platform/toolkit/TUpDown.h"
#include "render/Blend.h"

// The skinned up-down: while the default manager has a skin loaded, its two halves are
// painted from the skin's scroll-button sections ("SCROLLBTNTOP" and "SCROLLBTNBOTTOM" when
// vertical, "SCROLLBTNRIGHT" and "SCROLLBTNLEFT" when horizontal, or ButtonSkin), each in its
// drawing state, with an arrow in the section's text colour. A half at the end of the range
// does not turn hot or pressed while ShowInaccessibility is on. Stepping, limits, Wrap,
// Thousands and Associate are the platform up-down's.
class TsUpDown : public TUpDown {
public:
    explicit TsUpDown(TComponent* owner);
    std::string ClassName() const override { return "TsUpDown"; }

    bool ShowInaccessibility() const { return m_showInaccessibility; }
    void SetShowInaccessibility(bool show);
    TDisabledKinds DisabledKind() const { return m_disabledKind; }
    void SetDisabledKind(TDisabledKinds kinds);
    // A section for both halves instead of the scroll-button sections; empty: those.
    const std::string& ButtonSkin() const { return m_buttonSkin; }
    void SetButtonSkin(const std::string& section);

    // 0 default, 1 the first (up or right) half hot, 2 the second half hot, 3 the first half
    // pressed, 4 the second half pressed.
    int DrawingState() const;
    // Paints skinned: the default manager has a skin loaded.
    bool PaintsSkinned() const;
    // The section a half is painted from.
    std::string SectionFor(TUDBtnType button) const;

    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    void Paint(TCanvas& canvas) override;
    void WMEraseBkgnd(TMessage& m) override;
    void WMNCPaint(TMessage& m) override;

private:
    // The position already stands at the end this half moves toward.
    bool AtLimit(TUDBtnType button) const;
    int HalfState(TUDBtnType button) const;

    bool m_showInaccessibility = true;
    TDisabledKinds m_disabledKind = DefaultDisabledKinds;
    std::string m_buttonSkin;
};
