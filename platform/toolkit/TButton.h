#pragma once

#include "platform/toolkit/TButtonBehaviour.h"
#include "platform/toolkit/TCustomForm.h"
#include "platform/toolkit/TWinControl.h"

// The platform push button. Pushed while the left button or Space is held after a press on
// it; a release over it (or of Space) makes the click, which reaches the button as the
// parent's reflected notification (CN_COMMAND, BN_CLICKED) and runs Click: the parent form's
// ModalResult becomes the button's, then OnClick. Enter clicks the active button (the focused
// one, or the Default one while the focus is on a control that is no button), Escape a Cancel
// button, and the accelerator character its button. Double clicks arrive as two clicks.
// Painted in the classic 3-D look; with the owner-draw style (BS_OWNERDRAW) it paints nothing
// itself and asks its parent with WM_DRAWITEM (reflected back as CN_DRAWITEM).
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    std::string ClassName() const override { return "TButton"; }

    bool Default() const { return m_default; }
    void SetDefault(bool v);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool v) { m_cancel = v; }
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult r) { m_modalResult = r; }
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool v);
    // The BS_ type of the style (BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_OWNERDRAW).
    std::uint32_t ButtonType() const { return Style() & BS_TYPEMASK; }
    // The button shows as the dialog's default button now (focused, or Default with the
    // focus on a control that is no button).
    bool IsActive() const { return m_active; }

    const TButtonBehaviour& Behaviour() const { return m_behaviour; }
    // BM_GETSTATE's answer: BST_PUSHED while pushed, BST_FOCUS while focused.
    TLResult ButtonState() const;

    void Click() override;
    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    // Called when the focus moves: the button becomes (or stops being) the active default
    // button. The base changes the BS_DEFPUSHBUTTON bit and repaints.
    virtual void SetButtonStyle(bool isDefault);
    void PaintWindow(TCanvas& canvas) override;
    TLResult DialogCode() const override;
    void WMLButtonDown(TWMMouse& m) override;
    void WMLButtonDblClk(TWMMouse& m) override;
    void WMLButtonUp(TWMMouse& m) override;
    void WMMouseMove(TWMMouse& m) override;
    void WMCaptureChanged(TWMCaptureChanged& m) override;
    void WMKeyDown(TWMKey& m) override;
    void WMKeyUp(TWMKey& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void WMEraseBkgnd(TWMEraseBkgnd& m) override;
    void CMMouseEnter(TCMMouseEnter& m) override;
    void CMMouseLeave(TCMMouseLeave& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void CMDialogKey(TCMDialogKey& m) override;
    void CMDialogChar(TCMDialogChar& m) override;
    void CMFocusChanged(TCMFocusChanged& m) override;
    void OtherMessage(TMessage& m) override;
    // Sends BN_CLICKED to the parent (which reflects it back as CN_COMMAND).
    void NotifyClicked();

private:
    void Apply(TButtonBehaviour::TResult r);

    TButtonBehaviour m_behaviour;
    bool m_default = false;
    bool m_cancel = false;
    bool m_active = false;
    bool m_wordWrap = false;
    TModalResult m_modalResult = mrNone;
};
