#include "platform/toolkit/TButton.h"

#include "platform/canvas/TCanvas.h"
#include "platform/toolkit/Accelerators.h"
#include "platform/toolkit/ClassicLook.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TJsonWriter.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    // No csDoubleClicks: a quick second press is a press of its own and makes a second click.
    // The button captures the mouse itself while a press is held.
    SetControlStyle({TControlStyleFlag::csSetCaption, TControlStyleFlag::csOpaque});
    SetStyle(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool v) {
    if (v == m_default) return;
    m_default = v;
    // A default button is active while the focus is on a control that is not a button.
    TWinControl* focus = GetFocus();
    if (focus && focus->ParentForm() == ParentForm()) {
        TMessage m{CM_FOCUSCHANGED, 0, LParamFromPointer(focus), 0};
        PerformMessage(m);
    }
}

void TButton::SetWordWrap(bool v) {
    if (v == m_wordWrap) return;
    m_wordWrap = v;
    SetStyle(v ? Style() | BS_MULTILINE : Style() & ~BS_MULTILINE);
    Invalidate();
}

TLResult TButton::ButtonState() const {
    TLResult s = 0;
    if (m_behaviour.IsPushed()) s |= BST_PUSHED;
    if (Focused()) s |= BST_FOCUS;
    return s;
}

void TButton::Click() {
    if (TCustomForm* form = ParentForm()) form->SetModalResult(m_modalResult);
    TWinControl::Click();
}

void TButton::NotifyClicked() {
    if (Parent() && HandleAllocated())
        Parent()->Perform(WM_COMMAND, MakeWParam(0, BN_CLICKED), TLParam(WindowHandle()));
    else
        Click();
}

void TButton::Apply(TButtonBehaviour::TResult r) {
    if (r.Changed) Invalidate();
    if (r.Click) NotifyClicked();
}

void TButton::SetButtonStyle(bool isDefault) {
    std::uint32_t type = ButtonType();
    if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) return;
    std::uint32_t wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if (type != wanted) {
        SetStyle((Style() & ~BS_TYPEMASK) | wanted);
        Invalidate();
    }
}

TLResult TButton::DialogCode() const {
    return DLGC_BUTTON | (m_active ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

void TButton::PaintWindow(TCanvas& canvas) {
    if (ButtonType() == BS_OWNERDRAW) {
        if (!Parent()) return;
        TDrawItemStruct dis;
        dis.CtlType = ODT_BUTTON;
        dis.ItemID = 0;
        dis.ItemAction = ODA_DRAWENTIRE;
        if (m_behaviour.IsPushed()) dis.ItemState |= ODS_SELECTED;
        if (Focused()) dis.ItemState |= ODS_FOCUS;
        if (!IsEnabledInTree()) dis.ItemState |= ODS_DISABLED;
        dis.HwndItem = WindowHandle();
        dis.Canvas = &canvas;
        dis.RcItem = ClientRect();
        Parent()->Perform(WM_DRAWITEM, 0, LParamFromPointer(&dis));
        return;
    }
    ClassicLook::TButtonLook look;
    look.Pushed = m_behaviour.IsPushed();
    look.IsDefault = ButtonType() == BS_DEFPUSHBUTTON;
    look.Focused = Focused() && !ControlState().Has(TControlStateFlag::csPaintCopy);
    look.Enabled = IsEnabledInTree();
    look.WordWrap = m_wordWrap;
    canvas.SetFont(Font());
    ClassicLook::DrawPushButton(canvas, ClientRect(), Caption(), look);
}

void TButton::OtherMessage(TMessage& m) {
    switch (m.Msg) {
    case BM_GETSTATE:
        m.Result = ButtonState();
        return;
    case BM_SETSTATE:
        Apply(m_behaviour.SetForcedPushed(m.WParam != 0));
        return;
    case BM_SETSTYLE:
        SetStyle((Style() & ~BS_TYPEMASK) | (std::uint32_t(m.WParam) & BS_TYPEMASK));
        if (m.LParam) Invalidate();
        return;
    case BM_CLICK:
        NotifyClicked();
        return;
    case CN_COMMAND:
        if (HiWord(m.WParam) == BN_CLICKED) Click();
        return;
    default:
        TWinControl::OtherMessage(m);
        return;
    }
}

void TButton::WMLButtonDown(TWMMouse& m) {
    if (CanFocus() && !Focused()) SetFocus();
    SetMouseCapture(true);
    Apply(m_behaviour.MouseDown());
    TWinControl::WMLButtonDown(m);
}

void TButton::WMLButtonDblClk(TWMMouse& m) {
    WMLButtonDown(m);
}

void TButton::WMLButtonUp(TWMMouse& m) {
    TPoint p = m.Pos;
    bool inside = ClientRect().Contains(p) && HitTest(p);
    bool held = m_behaviour.IsMouseHeld();
    auto r = m_behaviour.MouseUp(inside);
    if (held) SetMouseCapture(false);
    if (r.Changed) Invalidate();
    if (r.Click) NotifyClicked();
    TWinControl::WMLButtonUp(m);
}

void TButton::WMMouseMove(TWMMouse& m) {
    if (m_behaviour.IsMouseHeld()) {
        TPoint p = m.Pos;
        Apply(m_behaviour.MouseMove(ClientRect().Contains(p) && HitTest(p)));
    }
    TWinControl::WMMouseMove(m);
}

void TButton::WMCaptureChanged(TWMCaptureChanged& m) {
    if (m_behaviour.IsMouseHeld()) Apply(m_behaviour.Cancel());
    TWinControl::WMCaptureChanged(m);
}

void TButton::WMKeyDown(TWMKey& m) {
    TWinControl::WMKeyDown(m);
    if (m.CharCode == VK_SPACE) Apply(m_behaviour.KeyDown());
}

void TButton::WMKeyUp(TWMKey& m) {
    TWinControl::WMKeyUp(m);
    if (m.CharCode == VK_SPACE) Apply(m_behaviour.KeyUp());
}

void TButton::WMSetFocus(TWMFocus& m) {
    Invalidate();
    TWinControl::WMSetFocus(m);
}

void TButton::WMKillFocus(TWMFocus& m) {
    if (m_behaviour.IsKeyHeld()) Apply(m_behaviour.Cancel());
    Invalidate();
    TWinControl::WMKillFocus(m);
}

void TButton::WMEraseBkgnd(TWMEraseBkgnd& m) {
    m.Result = 1;
}

void TButton::CMMouseEnter(TCMMouseEnter& m) {
    if (!m.Child) Apply(m_behaviour.MouseEnter());
    TWinControl::CMMouseEnter(m);
}

void TButton::CMMouseLeave(TCMMouseLeave& m) {
    if (!m.Child) Apply(m_behaviour.MouseLeave());
    TWinControl::CMMouseLeave(m);
}

void TButton::CMEnabledChanged(TWMNoParams& m) {
    if (!Enabled()) {
        Apply(m_behaviour.Cancel());
        SetMouseCapture(false);
    }
    TWinControl::CMEnabledChanged(m);
}

void TButton::CMDialogKey(TCMDialogKey& m) {
    int key = m.CharCode;
    auto shift = TShiftState(m.Shift) & (ssShift | ssCtrl | ssAlt);
    if (((key == VK_RETURN && m_active) || (key == VK_ESCAPE && m_cancel)) && shift == 0 && CanFocus()) {
        Click();
        m.Result = 1;
        return;
    }
    TWinControl::CMDialogKey(m);
}

void TButton::CMDialogChar(TCMDialogChar& m) {
    if (Accelerators::IsAccel(char32_t(m.CharCode), Caption()) && CanFocus()) {
        Click();
        m.Result = 1;
        return;
    }
    TWinControl::CMDialogChar(m);
}

void TButton::CMFocusChanged(TCMFocusChanged& m) {
    TWinControl* focused = m.Focused;
    bool active = focused == this || (m_default && !dynamic_cast<TButton*>(focused));
    if (active != m_active) m_active = active;
    SetButtonStyle(active);
    TWinControl::CMFocusChanged(m);
}

void TButton::WriteDumpFields(TJsonWriter& json) const {
    json.Field("hot", m_behaviour.IsHot());
    json.Field("pressed", m_behaviour.IsPushed());
    json.Field("default", m_default);
    json.Field("cancel", m_cancel);
}
