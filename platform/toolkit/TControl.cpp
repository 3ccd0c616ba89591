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

void TControl::SendToBack() {
    if (m_parent) m_parent->MoveControlInZOrder(this, false);
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
        WMMouseMove(m);
        break;
    case WM_LBUTTONDOWN:
        WMLButtonDown(m);
        break;
    case WM_LBUTTONUP:
        WMLButtonUp(m);
        break;
    case WM_LBUTTONDBLCLK:
        WMLButtonDblClk(m);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        WMRButtonDown(m);
        break;
    case WM_RBUTTONUP:
        WMRButtonUp(m);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        WMMButtonDown(m);
        break;
    case WM_MBUTTONUP:
        WMMButtonUp(m);
        break;
    case WM_MOUSEWHEEL:
        WMMouseWheel(m);
        break;
    case WM_CAPTURECHANGED:
        WMCaptureChanged(m);
        break;
    case WM_MOVE:
        WMMove(m);
        break;
    case WM_SIZE:
        WMSize(m);
        break;
    case WM_WINDOWPOSCHANGING:
        WMWindowPosChanging(m);
        break;
    case WM_WINDOWPOSCHANGED:
        WMWindowPosChanged(m);
        break;
    case WM_PAINT:
        WMPaint(m);
        break;
    case WM_ERASEBKGND:
        WMEraseBkgnd(m);
        break;
    case WM_CANCELMODE:
        WMCancelMode(m);
        break;
    case CM_MOUSEENTER:
        CMMouseEnter(m);
        break;
    case CM_MOUSELEAVE:
        CMMouseLeave(m);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(m);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(m);
        break;
    case CM_FONTCHANGED:
        CMFontChanged(m);
        break;
    case CM_COLORCHANGED:
        CMColorChanged(m);
        break;
    case CM_TEXTCHANGED:
        CMTextChanged(m);
        break;
    case CM_PARENTFONTCHANGED:
        CMParentFontChanged(m);
        break;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(m);
        break;
    case CM_HITTEST:
        CMHitTest(m);
        break;
    case CM_DIALOGKEY:
        CMDialogKey(m);
        break;
    case CM_DIALOGCHAR:
        CMDialogChar(m);
        break;
    case CM_FOCUSCHANGED:
        CMFocusChanged(m);
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

void TControl::DoMouseDown(TMessage& m, TMouseButton button) {
    if (button == TMouseButton::mbLeft) {
        if (m_controlStyle.Has(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(true);
        if (m_controlStyle.Has(TControlStyleFlag::csClickEvents))
            m_controlState.Include(TControlStateFlag::csClicked);
        m_controlState.Include(TControlStateFlag::csLButtonDown);
    }
    if (!m_controlStyle.Has(TControlStyleFlag::csNoStdEvents)) {
        TPoint p = PointFromLParam(m.LParam);
        MouseDown(button, ShiftFromMouseKeys(m.WParam), p.X, p.Y);
    }
}

void TControl::DoMouseUp(TMessage& m, TMouseButton button) {
    TPoint p = PointFromLParam(m.LParam);
    if (button == TMouseButton::mbLeft) {
        if (m_controlStyle.Has(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(false);
        m_controlState.Exclude(TControlStateFlag::csLButtonDown);
        if (m_controlState.Has(TControlStateFlag::csClicked)) {
            m_controlState.Exclude(TControlStateFlag::csClicked);
            if (ClientRect().Contains(p)) Click();
        }
    }
    if (!m_controlStyle.Has(TControlStyleFlag::csNoStdEvents))
        MouseUp(button, ShiftFromMouseKeys(m.WParam), p.X, p.Y);
}

// --- typed handlers ---

void TControl::WMMouseMove(TMessage& m) {
    if (!m_controlStyle.Has(TControlStyleFlag::csNoStdEvents)) {
        TPoint p = PointFromLParam(m.LParam);
        MouseMove(ShiftFromMouseKeys(m.WParam), p.X, p.Y);
    }
    DefaultHandler(m);
}

void TControl::WMLButtonDown(TMessage& m) {
    DoMouseDown(m, TMouseButton::mbLeft);
    DefaultHandler(m);
}

void TControl::WMLButtonUp(TMessage& m) {
    DoMouseUp(m, TMouseButton::mbLeft);
    DefaultHandler(m);
}

void TControl::WMLButtonDblClk(TMessage& m) {
    if (m_controlStyle.Has(TControlStyleFlag::csCaptureMouse)) SetMouseCapture(true);
    if (m_controlStyle.Has(TControlStyleFlag::csClickEvents)) DblClick();
    m_controlState.Include(TControlStateFlag::csLButtonDown);
    if (!m_controlStyle.Has(TControlStyleFlag::csNoStdEvents)) {
        TPoint p = PointFromLParam(m.LParam);
        MouseDown(TMouseButton::mbLeft, ShiftFromMouseKeys(m.WParam), p.X, p.Y);
    }
    DefaultHandler(m);
}

void TControl::WMRButtonDown(TMessage& m) {
    DoMouseDown(m, TMouseButton::mbRight);
    DefaultHandler(m);
}

void TControl::WMRButtonUp(TMessage& m) {
    DoMouseUp(m, TMouseButton::mbRight);
    DefaultHandler(m);
}

void TControl::WMMButtonDown(TMessage& m) {
    DoMouseDown(m, TMouseButton::mbMiddle);
    DefaultHandler(m);
}

void TControl::WMMButtonUp(TMessage& m) {
    DoMouseUp(m, TMouseButton::mbMiddle);
    DefaultHandler(m);
}

void TControl::WMMouseWheel(TMessage& m) {
    bool handled = false;
    if (OnMouseWheel) {
        TMouseWheelEvent handler = OnMouseWheel;
        handler(this, ShiftFromMouseKeys(LoWord(m.WParam)), WheelDeltaFromWParam(m.WParam),
                PointFromLParam(m.LParam), handled);
    }
    if (handled) {
        m.Result = 1;
        return;
    }
    // Unhandled wheel turns go to the parent, as the platform passes them on.
    if (m_parent)
        m.Result = m_parent->Perform(WM_MOUSEWHEEL, m.WParam, m.LParam);
    else
        DefaultHandler(m);
}

void TControl::WMCaptureChanged(TMessage& m) {
    m_controlState.Exclude(TControlStateFlag::csClicked);
    m_controlState.Exclude(TControlStateFlag::csLButtonDown);
    DefaultHandler(m);
}

void TControl::WMMove(TMessage& m) {
    DefaultHandler(m);
}

void TControl::WMSize(TMessage& m) {
    Resize();
    DefaultHandler(m);
}

void TControl::WMWindowPosChanging(TMessage& m) {
    DefaultHandler(m);
}

void TControl::WMWindowPosChanged(TMessage& m) {
    DefaultHandler(m);
    // The platform's default: the position change becomes WM_MOVE and WM_SIZE.
    auto* pos = PointerFromLParam<TWindowPos>(m.LParam);
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

void TControl::WMPaint(TMessage& m) {
    DefaultHandler(m);
}

void TControl::WMEraseBkgnd(TMessage& m) {
    DefaultHandler(m);
}

void TControl::WMCancelMode(TMessage& m) {
    SetMouseCapture(false);
    DefaultHandler(m);
}

void TControl::CMMouseEnter(TMessage& m) {
    if (m.LParam == 0 && OnMouseEnter) {
        TNotifyEvent handler = OnMouseEnter;
        handler(this);
    }
    if (m_parent) m_parent->Perform(CM_MOUSEENTER, 0, LParamFromPointer(this));
}

void TControl::CMMouseLeave(TMessage& m) {
    if (m.LParam == 0 && OnMouseLeave) {
        TNotifyEvent handler = OnMouseLeave;
        handler(this);
    }
    if (m_parent) m_parent->Perform(CM_MOUSELEAVE, 0, LParamFromPointer(this));
}

void TControl::CMVisibleChanged(TMessage& m) {
    DefaultHandler(m);
}

void TControl::CMEnabledChanged(TMessage& m) {
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMFontChanged(TMessage& m) {
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMColorChanged(TMessage& m) {
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMTextChanged(TMessage& m) {
    Invalidate();
    DefaultHandler(m);
}

void TControl::CMParentFontChanged(TMessage& m) {
    if (m_parentFont && m_parent && !(m_font == m_parent->Font())) {
        m_font = m_parent->Font();
        Perform(CM_FONTCHANGED);
    }
    DefaultHandler(m);
}

void TControl::CMParentColorChanged(TMessage& m) {
    if (m_parentColor && m_parent && m_color != m_parent->Color()) {
        m_color = m_parent->Color();
        Perform(CM_COLORCHANGED);
    }
    DefaultHandler(m);
}

void TControl::CMHitTest(TMessage& m) {
    m.Result = HitTest(PointFromLParam(m.LParam)) ? HTCLIENT : HTNOWHERE;
}

void TControl::CMDialogKey(TMessage& m) {
    DefaultHandler(m);
}
void TControl::CMDialogChar(TMessage& m) {
    DefaultHandler(m);
}
void TControl::CMFocusChanged(TMessage& m) {
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
