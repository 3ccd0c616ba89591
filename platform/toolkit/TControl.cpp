#include "platform/toolkit/TControl.h"

// Sections: tree; bounds; appearance; messages; painting; behaviour; typed handlers; dump.

#include <algorithm>

#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TCustomForm.h"
#include "platform/toolkit/TJsonWriter.h"
#include "platform/toolkit/TWinControl.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {
    m_windowProc = DefaultWindowProc();
}

TControl::~TControl() {
    MarkDestroying();
    DetachForDestruction();
}

void TControl::DetachForDestruction() {
    if (Application) Application->ControlDestroying(this);
    if (TCustomForm* form = ParentForm(); form && form != static_cast<TControl*>(this))
        form->ControlDestroying(this);
    if (m_parent) m_parent->RemoveControl(this);
}

// --- tree ---

void TControl::SetParent(TWinControl* parent) {
    if (parent == m_parent) return;
    if (parent == this) return;
    TWinControl* old = m_parent;
    if (old) old->RemoveControl(this);
    if (parent) parent->InsertControl(this);
    if (parent && m_parentFont && !(m_font == parent->Font())) {
        m_font = parent->Font();
        Perform(CM_FONTCHANGED);
    }
    if (parent && m_parentColor && m_color != parent->Color()) {
        m_color = parent->Color();
        Perform(CM_COLORCHANGED);
    }
    ParentChanged(old);
}

void TControl::ParentChanged(TWinControl* oldParent) {
    (void)oldParent;
}

TCustomForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->m_parent)
        c = c->m_parent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::BringToFront() {
    if (m_parent) m_parent->MoveControlInZOrder(this, true);
}

// --- bounds ---

void TControl::SetBounds(int left, int top, int width, int height) {
    TWindowPos pos;
    pos.Hwnd = m_windowed ? static_cast<TWinControl*>(this)->WindowHandle() : 0;
    pos.X = left;
    pos.Y = top;
    pos.Cx = std::max(width, 0);
    pos.Cy = std::max(height, 0);
    if (pos.X == m_left && pos.Y == m_top && pos.Cx == m_width && pos.Cy == m_height) return;
    Perform(WM_WINDOWPOSCHANGING, 0, LParamFromPointer(&pos));
    pos.Cx = std::max(pos.Cx, 0);
    pos.Cy = std::max(pos.Cy, 0);
    bool moved = pos.X != m_left || pos.Y != m_top;
    bool sized = pos.Cx != m_width || pos.Cy != m_height;
    if (!moved && !sized) return;
    TRect old = BoundsRect();
    m_left = pos.X;
    m_top = pos.Y;
    m_width = pos.Cx;
    m_height = pos.Cy;
    BoundsChanged(old);
    pos.Flags = (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE) | SWP_NOZORDER;
    Perform(WM_WINDOWPOSCHANGED, 0, LParamFromPointer(&pos));
}

void TControl::BoundsChanged(const TRect& oldBounds) {
    InvalidateInParent(oldBounds, true);
    InvalidateInParent(BoundsRect(), true);
}

TRect TControl::ClientRect() const {
    return {0, 0, m_width, m_height};
}

// The frame is added to the wanted client size, not taken from the current size: a control
// smaller than its own frame has a client area clamped to 0.
void TControl::SetClientWidth(int v) {
    SetWidth(NonClientExtent().Width + v);
}
void TControl::SetClientHeight(int v) {
    SetHeight(NonClientExtent().Height + v);
}

TPoint TControl::ClientOrigin() const {
    if (!m_parent) return {m_left, m_top};
    TPoint p = m_parent->ClientOrigin();
    return {p.X + m_left, p.Y + m_top};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

TRect TControl::ScreenRect() const {
    if (!m_parent) return BoundsRect();
    TPoint p = m_parent->ClientToScreen({m_left, m_top});
    return TRect::FromBounds(p.X, p.Y, m_width, m_height);
}

void TControl::AnchorToParentResize(int dw, int dh) {
    int l = m_left, t = m_top, w = m_width, h = m_height;
    bool left = m_anchors.Has(TAnchorKind::akLeft), right = m_anchors.Has(TAnchorKind::akRight);
    bool top = m_anchors.Has(TAnchorKind::akTop), bottom = m_anchors.Has(TAnchorKind::akBottom);
    if (right && left)
        w += dw;
    else if (right)
        l += dw;
    else if (!left)
        l += dw / 2;
    if (bottom && top)
        h += dh;
    else if (bottom)
        t += dh;
    else if (!top)
        t += dh / 2;
    SetBounds(l, t, w, h);
}

// --- appearance ---

void TControl::SetVisible(bool visible) {
    if (visible == m_visible) return;
    m_visible = visible;
    if (m_windowed) {
        auto* self = static_cast<TWinControl*>(this);
        if (visible) self->InvalidateTree();
    }
    InvalidateInParent(BoundsRect(), true);
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

bool TControl::IsShowing() const {
    const TControl* c = this;
    while (c) {
        if (!c->m_visible) return false;
        if (!c->m_parent) return dynamic_cast<const TCustomForm*>(c) != nullptr;
        c = c->m_parent;
    }
    return false;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    Perform(CM_ENABLEDCHANGED);
}

bool TControl::IsEnabledInTree() const {
    for (const TControl* c = this; c; c = c->m_parent)
        if (!c->m_enabled) return false;
    return true;
}

void TControl::SetFont(const TFont& font) {
    m_parentFont = false;
    if (font == m_font) return;
    m_font = font;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool v) {
    m_parentFont = v;
    if (v && m_parent && !(m_font == m_parent->Font())) {
        m_font = m_parent->Font();
        Perform(CM_FONTCHANGED);
    }
}

void TControl::SetColor(TColor c) {
    m_parentColor = false;
    if (c == m_color) return;
    m_color = c;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
    m_parentColor = v;
    if (v && m_parent && m_color != m_parent->Color()) {
        m_color = m_parent->Color();
        Perform(CM_COLORCHANGED);
    }
}

void TControl::SetText(const std::string& text) {
    m_textSet = true;
    if (text == m_text) return;
    m_text = text;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetName(const std::string& name) {
    std::string old = Name();
    TComponent::SetName(name);
    // A control whose caption still is its name follows a rename.
    if (m_controlStyle.Has(TControlStyleFlag::csSetCaption) && (!m_textSet || m_text == old) &&
        m_text != name) {
        m_text = name;
        Perform(CM_TEXTCHANGED);
    }
}

// --- messages ---

TLResult TControl::Perform(std::uint32_t msg, TWParam wParam, TLParam lParam) {
    TMessage m{msg, wParam, lParam, 0};
    // A copy: the handler may replace the procedure or free the control.
    TWndMethod proc = m_windowProc;
    proc(m);
    return m.Result;
}

void TControl::SetWindowProc(TWndMethod proc) {
    m_windowProc = proc ? std::move(proc) : DefaultWindowProc();
}

TWndMethod TControl::DefaultWindowProc() {
    return [this](TMessage& m) { WndProc(m); };
}

void TControl::WndProc(TMessage& message) {
    Dispatch(message);
}

void TControl::DefaultHandler(TMessage& message) {
    (void)message;
}

void TControl::Dispatch(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        Decode(m, &TControl::WMMouseMove);
        break;
    case WM_LBUTTONDOWN:
        Decode(m, &TControl::WMLButtonDown);
        break;
    case WM_LBUTTONUP:
        Decode(m, &TControl::WMLButtonUp);
        break;
    case WM_LBUTTONDBLCLK:
        Decode(m, &TControl::WMLButtonDblClk);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        Decode(m, &TControl::WMRButtonDown);
        break;
    case WM_RBUTTONUP:
        Decode(m, &TControl::WMRButtonUp);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        Decode(m, &TControl::WMMButtonDown);
        break;
    case WM_MBUTTONUP:
        Decode(m, &TControl::WMMButtonUp);
        break;
    case WM_MOUSEWHEEL:
        Decode(m, &TControl::WMMouseWheel);
        break;
    case WM_CAPTURECHANGED:
        Decode(m, &TControl::WMCaptureChanged);
        break;
    case WM_MOVE:
        Decode(m, &TControl::WMMove);
        break;
    case WM_SIZE:
        Decode(m, &TControl::WMSize);
        break;
    case WM_WINDOWPOSCHANGING:
        Decode(m, &TControl::WMWindowPosChanging);
        break;
    case WM_WINDOWPOSCHANGED:
        Decode(m, &TControl::WMWindowPosChanged);
        break;
    case WM_PAINT:
        Decode(m, &TControl::WMPaint);
        break;
    case WM_ERASEBKGND:
        Decode(m, &TControl::WMEraseBkgnd);
        break;
    case WM_CANCELMODE:
        Decode(m, &TControl::WMCancelMode);
        break;
    case CM_MOUSEENTER:
        Decode(m, &TControl::CMMouseEnter);
        break;
    case CM_MOUSELEAVE:
        Decode(m, &TControl::CMMouseLeave);
        break;
    case CM_VISIBLECHANGED:
        Decode(m, &TControl::CMVisibleChanged);
        break;
    case CM_ENABLEDCHANGED:
        Decode(m, &TControl::CMEnabledChanged);
        break;
    case CM_FONTCHANGED:
        Decode(m, &TControl::CMFontChanged);
        break;
    case CM_COLORCHANGED:
        Decode(m, &TControl::CMColorChanged);
        break;
    case CM_TEXTCHANGED:
        Decode(m, &TControl::CMTextChanged);
        break;
    case CM_PARENTFONTCHANGED:
        Decode(m, &TControl::CMParentFontChanged);
        break;
    case CM_PARENTCOLORCHANGED:
        Decode(m, &TControl::CMParentColorChanged);
        break;
    case CM_HITTEST:
        Decode(m, &TControl::CMHitTest);
        break;
    case CM_DIALOGKEY:
        Decode(m, &TControl::CMDialogKey);
        break;
    case CM_DIALOGCHAR:
        Decode(m, &TControl::CMDialogChar);
        break;
    case CM_FOCUSCHANGED:
        Decode(m, &TControl::CMFocusChanged);
        break;
    case WM_SKINCOMMAND:
        Decode(m, &TControl::WMSkinCommand);
        break;
    default:
        OtherMessage(m);
        break;
    }
}

// --- painting ---

void TControl::InvalidateInParent(const TRect& parentRect, bool erase) {
    if (m_parent) m_parent->InvalidateRect(&parentRect, erase);
}

void TControl::Invalidate() {
    if (m_visible) InvalidateInParent(BoundsRect(), !m_controlStyle.Has(TControlStyleFlag::csOpaque));
}

void TControl::Update() {
    if (m_parent) m_parent->Update();
}

// --- behaviour ---

void TControl::Click() {
    if (OnClick) {
        TNotifyEvent handler = OnClick;
        handler(this);
    }
}

void TControl::DblClick() {
    if (OnDblClick) {
        TNotifyEvent handler = OnDblClick;
        handler(this);
    }
}

bool TControl::MouseCapture() const {
    return Application && Application->CaptureControl() == this;
}

void TControl::SetMouseCapture(bool capture) {
    if (!Application) return;
    if (capture)
        Application->SetCaptureControl(this);
    else if (Application->CaptureControl() == this)
        Application->SetCaptureControl(nullptr);
}

TShiftState TControl::ShiftFromMouseKeys(TWParam keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (Application && (Application->ShiftState() & ssAlt)) s |= ssAlt;
    return s;
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) {
        TMouseEvent handler = OnMouseDown;
        handler(this, button, shift, x, y);
    }
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) {
        TMouseEvent handler = OnMouseUp;
        handler(this, button, shift, x, y);
    }
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) {
        TMouseMoveEvent handler = OnMouseMove;
        handler(this, shift, x, y);
    }
}

void TControl::Resize() {
    if (OnResize) {
        TNotifyEvent handler = OnResize;
        handler(this);
    }
}

bool TControl::HitTest(TPoint clientPos) const {
    return ClientRect().Contains(clientPos);
}

void TControl::DoMouseDown(TWMMouse& m, TMouseButton button) {
    if (button == TMouseButton::mbLeft) {
        if (m_controlStyle.Has(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(true);
        if (m_controlStyle.Has(TControlStyleFlag::csClickEvents))
            m_controlState.Include(TControlStateFlag::csClicked);
        m_controlState.Include(TControlStateFlag::csLButtonDown);
    }
    if (!m_controlStyle.Has(TControlStyleFlag::csNoStdEvents)) {
        TPoint p = m.Pos;
        MouseDown(button, ShiftFromMouseKeys(m.Keys), p.X, p.Y);
    }
}

void TControl::DoMouseUp(TWMMouse& m, TMouseButton button) {
    TPoint p = m.Pos;
    if (button == TMouseButton::mbLeft) {
        // Giving the capture back clears the pressed state, so the press is read first.
        const bool clicked = m_controlState.Has(TControlStateFlag::csClicked);
        if (m_controlStyle.Has(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(false);
        m_controlState.Exclude(TControlStateFlag::csLButtonDown);
        m_controlState.Exclude(TControlStateFlag::csClicked);
        if (clicked && ClientRect().Contains(p)) Click();
    }
    if (!m_controlStyle.Has(TControlStyleFlag::csNoStdEvents))
        MouseUp(button, ShiftFromMouseKeys(m.Keys), p.X, p.Y);
}

// --- typed handlers ---

void TControl::WMSkinCommand(TWMSkinCommand& m) {
    DefaultHandler(m);
}

void TControl::WMMouseMove(TWMMouse& m) {
    if (!m_controlStyle.Has(TControlStyleFlag::csNoStdEvents)) {
        TPoint p = m.Pos;
        MouseMove(ShiftFromMouseKeys(m.Keys), p.X, p.Y);
    }
    DefaultHandler(m);
}

void TControl::WMLButtonDown(TWMMouse& m) {
    DoMouseDown(m, TMouseButton::mbLeft);
    DefaultHandler(m);
}

void TControl::WMLButtonUp(TWMMouse& m) {
    DoMouseUp(m, TMouseButton::mbLeft);
    DefaultHandler(m);
}

void TControl::WMLButtonDblClk(TWMMouse& m) {
    if (m_controlStyle.Has(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(true);
    if (m_controlStyle.Has(TControlStyleFlag::csClickEvents)) DblClick();
    m_controlState.Include(TControlStateFlag::csLButtonDown);
    if (!m_controlStyle.Has(TControlStyleFlag::csNoStdEvents)) {
        TPoint p = m.Pos;
        MouseDown(TMouseButton::mbLeft, ShiftFromMouseKeys(m.Keys), p.X, p.Y);
    }
    DefaultHandler(m);
}

void TControl::WMRButtonDown(TWMMouse& m) {
    DoMouseDown(m, TMouseButton::mbRight);
    DefaultHandler(m);
}

void TControl::WMRButtonUp(TWMMouse& m) {
    DoMouseUp(m, TMouseButton::mbRight);
    DefaultHandler(m);
}

void TControl::WMMButtonDown(TWMMouse& m) {
    DoMouseDown(m, TMouseButton::mbMiddle);
    DefaultHandler(m);
}

void TControl::WMMButtonUp(TWMMouse& m) {
    DoMouseUp(m, TMouseButton::mbMiddle);
    DefaultHandler(m);
}

void TControl::WMMouseWheel(TWMMouseWheel& m) {
    bool handled = false;
    if (OnMouseWheel) {
        TMouseWheelEvent handler = OnMouseWheel;
        handler(this, ShiftFromMouseKeys(m.Keys), m.WheelDelta, m.Pos, handled);
    }
    if (handled) {
        m.Result = 1;
        return;
    }
    // Unhandled wheel turns go to the parent, as the platform passes them on.
    if (m_parent)
        m.Result = m_parent->Perform(WM_MOUSEWHEEL, m.Message.WParam, m.Message.LParam);
    else
        DefaultHandler(m);
}

void TControl::WMCaptureChanged(TWMCaptureChanged& m) {
    m_controlState.Exclude(TControlStateFlag::csClicked);
    m_controlState.Exclude(TControlStateFlag::csLButtonDown);
    DefaultHandler(m);
}

void TControl::WMMove(TWMMove& m) {
    DefaultHandler(m);
}

void TControl::WMSize(TWMSize& m) {
    Resize();
    DefaultHandler(m);
}

void TControl::WMWindowPosChanging(TWMWindowPosMsg& m) {
    DefaultHandler(m);
}

void TControl::WMWindowPosChanged(TWMWindowPosMsg& m) {
    DefaultHandler(m);
    // The platform's default: the position change becomes WM_MOVE and WM_SIZE.
    TWindowPos* pos = m.WindowPos;
    if (!pos) return;
    if (!(pos->Flags & SWP_NOMOVE)) Perform(WM_MOVE, 0, MakeLParam(m_left, m_top));
    if (!(pos->Flags & SWP_NOSIZE)) {
        TWParam kind = SIZE_RESTORED;
        if (auto* form = dynamic_cast<TCustomForm*>(this);
            form && form->WindowState() == TWindowState::wsMaximized)
            kind = SIZE_MAXIMIZED;
        Perform(WM_SIZE, kind, MakeLParam(ClientWidth(), ClientHeight()));
    }
}

void TControl::WMPaint(TWMPaint& m) {
    DefaultHandler(m);
}

void TControl::WMEraseBkgnd(TWMEraseBkgnd& m) {
    DefaultHandler(m);
}

void TControl::WMCancelMode(TWMNoParams& m) {
    SetMouseCapture(false);
    DefaultHandler(m);
}

void TControl::CMMouseEnter(TCMMouseEnter& m) {
    if (!m.Child && OnMouseEnter) {
        TNotifyEvent handler = OnMouseEnter;
        handler(this);
    }
    if (m_parent) m_parent->Perform(CM_MOUSEENTER, 0, LParamFromPointer(this));
}

void TControl::CMMouseLeave(TCMMouseLeave& m) {
    if (!m.Child && OnMouseLeave) {
        TNotifyEvent handler = OnMouseLeave;
        handler(this);
    }
    if (m_parent) m_parent->Perform(CM_MOUSELEAVE, 0, LParamFromPointer(this));
}

void TControl::CMVisibleChanged(TCMVisibleChanged& m) {
    DefaultHandler(m);
}

void TControl::CMEnabledChanged(TWMNoParams& m) {
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMFontChanged(TWMNoParams& m) {
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMColorChanged(TWMNoParams& m) {
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMTextChanged(TWMNoParams& m) {
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMParentFontChanged(TWMNoParams& m) {
    if (m_parentFont && m_parent && !(m_font == m_parent->Font())) {
        m_font = m_parent->Font();
        Perform(CM_FONTCHANGED);
    }
    DefaultHandler(m);
}

void TControl::CMParentColorChanged(TWMNoParams& m) {
    if (m_parentColor && m_parent && m_color != m_parent->Color()) {
        m_color = m_parent->Color();
        Perform(CM_COLORCHANGED);
    }
    DefaultHandler(m);
}

void TControl::CMHitTest(TWMHitTest& m) {
    m.Result = HitTest(m.Pos) ? HTCLIENT : HTNOWHERE;
}

void TControl::CMDialogKey(TCMDialogKey& m) {
    DefaultHandler(m);
}
void TControl::CMDialogChar(TCMDialogChar& m) {
    DefaultHandler(m);
}
void TControl::CMFocusChanged(TCMFocusChanged& m) {
    DefaultHandler(m);
}

// --- dump ---

void TControl::WriteDump(TJsonWriter& json) const {
    json.BeginObject();
    json.Field("class", ClassName());
    json.Field("name", Name());
    json.Field("text", m_text);
    json.Key("bounds");
    json.Bounds(BoundsRect());
    json.Key("screen");
    json.Bounds(ScreenRect());
    json.Field("visible", m_visible);
    json.Field("enabled", m_enabled);
    bool focused = false;
    if (m_windowed) focused = static_cast<const TWinControl*>(this)->Focused();
    json.Field("focused", focused);
    WriteDumpFields(json);
    json.Key("children");
    json.BeginArray();
    if (m_windowed)
        for (TControl* c : static_cast<const TWinControl*>(this)->ControlList())
            c->WriteDump(json);
    json.EndArray();
    json.EndObject();
}

void TControl::WriteDumpFields(TJsonWriter& json) const {
    (void)json;
}
