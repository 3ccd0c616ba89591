#pragma once

#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/TCustomControl.h"

class TsEdit;
class TsTimerSpeedButton;

// The pair of arrow buttons of a spin edit: a small windowed control inside the edit holding
// an up and a down TsTimerSpeedButton (section "SPEEDBUTTON_SMALL", repeating while held) that
// split its height. The arrows paint over the spin edit's face: the spin button answers their
// face and update queries for the edit. A press on an arrow gives the focus to the focus
// control (the spin edit).
class TsSpinButton : public TCustomControl {
public:
    explicit TsSpinButton(TComponent* owner);
    ~TsSpinButton() override;
    std::string ClassName() const override { return "TsSpinButton"; }

    TsTimerSpeedButton& UpButton() const { return *m_upButton; }
    TsTimerSpeedButton& DownButton() const { return *m_downButton; }
    const TBitmap& UpGlyph() const;
    void SetUpGlyph(const TBitmap& glyph);
    const TBitmap& DownGlyph() const;
    void SetDownGlyph(const TBitmap& glyph);
    TWinControl* FocusControl() const { return m_focusControl; }
    void SetFocusControl(TWinControl* control) { m_focusControl = control; }
    // The skinned edit whose face the arrows paint over (the owning spin edit).
    void SetSpinEdit(TsEdit* edit) { m_spinEdit = edit; }
    // Rebuilds both arrow glyphs in the font colour (after loading and after a skin change).
    void RebuildGlyphs();
    // Places the two arrows: the up one over the upper half, the down one below it.
    void LayoutButtons();

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    void Loaded() override;

protected:
    void WMSkinCommand(TWMSkinCommand& record) override;
    void Paint(TCanvas& canvas) override;
    TLResult DialogCode() const override;
    void WMEraseBkgnd(TWMEraseBkgnd& m) override;
    void WMSize(TWMSize& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void ArrowPressed(TsTimerSpeedButton& arrow);
    void MarkFocus(bool focused);
    bool EditFaceAnswer(TMessage& m) const;

    TsTimerSpeedButton* m_upButton = nullptr;
    TsTimerSpeedButton* m_downButton = nullptr;
    TsTimerSpeedButton* m_focusedButton = nullptr;
    TWinControl* m_focusControl = nullptr;
    TsEdit* m_spinEdit = nullptr;
};

// The arrow glyphs: 9 x 5 triangles in the colour on fuchsia (the transparent colour).
TBitmap MakeArrowGlyph(bool up, TColor colour);
