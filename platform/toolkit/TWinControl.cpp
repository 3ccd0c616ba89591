#include "platform/toolkit/TWinControl.h"

// Sections: construction and handle; children; focus and tab order; painting and
// composition; printing; typed handlers.

#include <algorithm>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/ClassicLook.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TCustomForm.h"
#include "platform/toolkit/WindowTable.h"

// --- construction and handle ---

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    m_windowed = true;
}

TWinControl::~TWinControl() {
    MarkDestroying();
    // While this is still a whole windowed control.
    DetachForDestruction();
    // Children go with their parent, as windows do.
    while (!m_controls.empty()) {
        TControl* c = m_controls.back();
        RemoveControl(c);
        delete c;
    }
    DestroyHandle();
}

THandle TWinControl::Handle() {
    if (m_handle == 0) {
        if (Parent()) Parent()->HandleNeeded();
        if (m_handle == 0) CreateHandleTree();
    }
    return m_handle;
}

void TWinControl::CreateHandleTree() {
    CreateWnd();
    for (TControl* c : std::vector<TControl*>(m_controls))
        if (c->IsWindowed()) {
            auto* w = static_cast<TWinControl*>(c);
            if (w->m_handle == 0) w->CreateHandleTree();
        }
}

void TWinControl::CreateWnd() {
    m_handle = WindowTable::Register(this);
    m_windowClassName = ClassName();
    Perform(WM_CREATE);
    if (Parent()) Parent()->Perform(WM_PARENTNOTIFY, MakeWParam(WM_CREATE, 0), TLParam(m_handle));
    InvalidateTree();
}

void TWinControl::DestroyWnd() {
    Perform(WM_DESTROY);
}

void TWinControl::DestroyHandle() {
    if (m_handle == 0) return;
    for (TControl* c : m_controls)
        if (c->IsWindowed()) static_cast<TWinControl*>(c)->DestroyHandle();
    DestroyWnd();
    if (Application) Application->KillTimersOf(m_handle);
    WindowTable::Unregister(m_handle);
    m_handle = 0;
}

TLResult TWinControl::SendMessage(std::uint32_t msg, TWParam wParam, TLParam lParam) {
    return ::SendMessage(Handle(), msg, wParam, lParam);
}

void TWinControl::ParentChanged(TWinControl* oldParent) {
    (void)oldParent;
    if (Parent() && Parent()->HandleAllocated() && m_handle == 0) CreateHandleTree();
}

// --- children ---

void TWinControl::InsertControl(TControl* control) {
    m_controls.push_back(control);
    control->SetParentField(this);
    if (control->IsWindowed()) {
        auto* w = static_cast<TWinControl*>(control);
        m_tabList.push_back(w);
        w->InvalidateTree();
    } else {
        control->Invalidate();
    }
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end()) return;
    if (control->Visible()) {
        TRect r = control->BoundsRect();
        InvalidateRect(&r, true);
    }
    m_controls.erase(it);
    if (control->IsWindowed()) {
        auto t = std::find_if(m_tabList.begin(), m_tabList.end(),
                              [control](TWinControl* w) { return static_cast<TControl*>(w) == control; });
        if (t != m_tabList.end()) m_tabList.erase(t);
    }
    control->SetParentField(nullptr);
}

void TWinControl::MoveControlInZOrder(TControl* control, bool toTop) {
    auto it = std::find(m_controls.begin(), m_controls.end(), control);
    if (it == m_controls.end()) return;
    m_controls.erase(it);
    m_controls.push_back(control);
    if (!toTop) std::rotate(m_controls.rbegin(), m_controls.rbegin() + 1, m_controls.rend());
    TRect r = control->BoundsRect();
    InvalidateRect(&r, true);
    if (control->IsWindowed()) static_cast<TWinControl*>(control)->InvalidateTree();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWindowed) const {
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
        if (c->IsWindowed() && !allowWindowed) continue;
        if (!c->BoundsRect().Contains(p)) continue;
        TPoint local{p.X - c->Left(), p.Y - c->Top()};
        if (c->IsWindowed()) {
            const auto& rgn = static_cast<TWinControl*>(c)->WindowRgn();
            if (rgn && !rgn->Contains(local)) continue;
            return c;
        }
        if (c->Perform(CM_HITTEST, 0, MakeLParam(local.X, local.Y)) != 0) return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
    std::vector<TControl*> list = m_controls;
    for (TControl* c : list) {
        if (std::find(m_controls.begin(), m_controls.end(), c) == m_controls.end()) continue;
        c->PerformMessage(message);
        if (message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(std::uint32_t msg, TWParam w, TLParam l) {
    std::vector<TControl*> list = m_controls;
    for (TControl* c : list)
        if (std::find(m_controls.begin(), m_controls.end(), c) != m_controls.end()) c->Perform(msg, w, l);
}

// --- focus and tab order ---

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->m_tabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!Parent()) return;
    auto& list = Parent()->m_tabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    order = std::clamp(order, 0, int(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool v) {
    if (v == m_tabStop) return;
    m_tabStop = v;
    Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::Focused() const {
    return Application && Application->FocusedControl() == this;
}

bool TWinControl::CanFocus() const {
    if (!ParentForm()) return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    TCustomForm* form = ParentForm();
    if (!form || !CanFocus()) return;
    if (form == this) {
        if (Application && !form->Active()) Application->FormActivating(form, false);
        return;
    }
    form->FocusControl(this);
    if (Application && !form->Active() && form->Visible() && !form->IsNoActivate())
        Application->FormActivating(form, false);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : m_tabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int n = int(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (goForward ? -1 : n) : int(it - list.begin());
    for (int step = 1; step <= n; ++step) {
        int i = goForward ? start + step : start - step;
        i = ((i % n) + n) % n;
        TWinControl* c = list[std::size_t(i)];
        if (c == current) continue;
        if (!c->CanFocus()) continue;
        if (checkTabStop && !c->TabStop()) continue;
        if (checkParent && current && c->Parent() != current->Parent()) continue;
        return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* c = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) c->SetFocus();
}

// --- painting and composition ---

TRect TWinControl::ClientRect() const {
    TRect in = NonClientInsets();
    return {0, 0, std::max(0, Width() - in.Left - in.Right), std::max(0, Height() - in.Top - in.Bottom)};
}

TPoint TWinControl::ClientOrigin() const {
    TRect in = NonClientInsets();
    if (!Parent()) return {Left() + in.Left, Top() + in.Top};
    TPoint p = Parent()->ClientOrigin();
    return {p.X + Left() + in.Left, p.Y + Top() + in.Top};
}

void TWinControl::Invalidate() {
    InvalidateRect(nullptr, !ControlStyle().Has(TControlStyleFlag::csOpaque));
}

void TWinControl::InvalidateRect(const TRect* r, bool erase) {
    TRect area = ClientRect();
    if (r) area = area.Intersect(*r);
    if (area.IsEmpty()) return;
    m_updateRegion.Union(area);
    if (erase) m_erasePending = true;
}

void TWinControl::InvalidateFrame() {
    TRect in = NonClientInsets();
    if (in.Left || in.Top || in.Right || in.Bottom) m_framePending = true;
}

void TWinControl::InvalidateTree(bool erase) {
    InvalidateRect(nullptr, erase);
    InvalidateFrame();
    for (TControl* c : m_controls)
        if (c->IsWindowed()) static_cast<TWinControl*>(c)->InvalidateTree(erase);
}

void TWinControl::RedrawWindow(const TRect* r, unsigned flags) {
    bool erase = (flags & RDW_ERASE) && !(flags & RDW_NOERASE);
    if (flags & RDW_INVALIDATE) {
        InvalidateRect(r, erase);
        if (flags & RDW_FRAME) InvalidateFrame();
    }
    if (flags & RDW_VALIDATE) ValidateAll();
    if (flags & RDW_ALLCHILDREN) {
        for (TControl* c : m_controls) {
            if (!c->IsWindowed()) continue;
            auto* w = static_cast<TWinControl*>(c);
            if (r) {
                TRect in = w->NonClientInsets();
                TRect local = r->Offset(-w->Left() - in.Left, -w->Top() - in.Top);
                w->RedrawWindow(&local, flags & ~RDW_UPDATENOW);
            } else {
                w->RedrawWindow(nullptr, flags & ~RDW_UPDATENOW);
            }
        }
    }
    if (flags & RDW_UPDATENOW) Update();
}

void TWinControl::Update() {
    if (TCustomForm* form = ParentForm()) form->ComposeAndPresent();
}

TRect TWinControl::SurfaceRect() const {
    if (!Parent()) return {0, 0, Width(), Height()};
    TPoint p = Parent()->SurfaceClientOrigin();
    return TRect::FromBounds(p.X + Left(), p.Y + Top(), Width(), Height());
}

TPoint TWinControl::SurfaceClientOrigin() const {
    TRect r = SurfaceRect();
    TRect in = NonClientInsets();
    return {r.Left + in.Left, r.Top + in.Top};
}

TRegion TWinControl::ShapeAt(TPoint origin) const {
    TRegion shape(TRect::FromBounds(origin.X, origin.Y, Width(), Height()));
    if (m_windowRgn) {
        TRegion cut = *m_windowRgn;
        cut.Offset(origin.X, origin.Y);
        shape.Intersect(cut);
    }
    return shape;
}

namespace {

// The part of the surface a window covers.
TRegion WindowShape(const TWinControl& w) {
    return w.ShapeAt(w.SurfaceRect().TopLeft());
}

} // namespace

TRegion TWinControl::VisibleWindowRegion() const {
    TRegion r = WindowShape(*this);
    const TWinControl* child = this;
    for (const TWinControl* p = Parent(); p; child = p, p = p->Parent()) {
        TRect client = p->ClientRect();
        TPoint o = p->SurfaceClientOrigin();
        r.Intersect(client.Offset(o.X, o.Y));
        if (p->WindowRgn()) r.Intersect(WindowShape(*p));
        // Windowed siblings above this branch cover it.
        const auto& list = p->m_controls;
        auto it = std::find(list.begin(), list.end(), child);
        if (it == list.end()) continue;
        for (++it; it != list.end(); ++it) {
            TControl* s = *it;
            if (s->IsWindowed() && s->Visible()) r.Subtract(WindowShape(*static_cast<TWinControl*>(s)));
        }
        if (r.IsEmpty()) break;
    }
    return r;
}

TRegion TWinControl::VisibleClientRegion() const {
    TRegion r = VisibleWindowRegion();
    TPoint o = SurfaceClientOrigin();
    r.Intersect(ClientRect().Offset(o.X, o.Y));
    for (TControl* c : m_controls)
        if (c->IsWindowed() && c->Visible()) r.Subtract(WindowShape(*static_cast<TWinControl*>(c)));
    return r;
}

bool TWinControl::PaintPending() {
    TCustomForm* form = ParentForm();
    if (!form || !Visible() || !m_redraw) return false;
    bool painted = false;
    if (m_framePending) {
        PaintFrameNow();
        painted = true;
    }
    if (!m_updateRegion.IsEmpty()) {
        TRegion update = m_updateRegion;
        TPoint o = SurfaceClientOrigin();
        update.Offset(o.X, o.Y);
        update.Intersect(VisibleClientRegion());
        bool erase = m_erasePending;
        m_updateRegion = TRegion();
        m_erasePending = false;
        if (!update.IsEmpty()) {
            TCanvas canvas(form->Surface());
            canvas.IntersectClipRegion(update);
            canvas.SetOrigin(o);
            canvas.SetFont(Font());
            if (erase) Perform(WM_ERASEBKGND, WParamFromCanvas(&canvas));
            Perform(WM_PAINT, WParamFromCanvas(&canvas));
            form->AddDamage(update);
            painted = true;
        }
    }
    return painted;
}

void TWinControl::PaintFrameNow() {
    m_framePending = false;
    TCustomForm* form = ParentForm();
    if (!form) return;
    TRegion clip = VisibleWindowRegion();
    TPoint o = SurfaceClientOrigin();
    clip.Subtract(ClientRect().Offset(o.X, o.Y));
    if (clip.IsEmpty()) return;
    TCanvas canvas(form->Surface());
    canvas.IntersectClipRegion(clip);
    canvas.SetOrigin(SurfaceRect().TopLeft());
    canvas.SetFont(Font());
    Perform(WM_NCPAINT, WParamFromCanvas(&canvas));
    form->AddDamage(clip);
}

void TWinControl::PaintWindow(TCanvas& canvas) {
    (void)canvas;
}

void TWinControl::PaintControls(TCanvas& canvas) {
    TRect clipBox = canvas.ClipBox();
    std::vector<TControl*> list = m_controls;
    for (TControl* c : list) {
        if (c->IsWindowed() || !c->Visible()) continue;
        if (std::find(m_controls.begin(), m_controls.end(), c) == m_controls.end()) continue;
        TRect r = c->BoundsRect();
        if (!r.Intersects(clipBox)) continue;
        TCanvasSaver saver(canvas);
        canvas.OffsetOrigin(r.Left, r.Top);
        canvas.IntersectClipRect({0, 0, r.Width(), r.Height()});
        canvas.SetFont(c->Font());
        TControlState st = c->ControlState();
        bool copy = ControlState().Has(TControlStateFlag::csPaintCopy);
        if (copy) c->SetControlState(st.With(TControlStateFlag::csPaintCopy));
        c->Perform(WM_PAINT, WParamFromCanvas(&canvas));
        if (copy) c->SetControlState(c->ControlState().Without(TControlStateFlag::csPaintCopy));
    }
}

void TWinControl::PaintNonClient(TCanvas& canvas) {
    TRect r{0, 0, Width(), Height()};
    if (ExStyle() & WS_EX_CLIENTEDGE)
        ClassicLook::DrawEdge(canvas, r, ClassicLook::TEdge::Sunken);
    else if (Style() & WS_BORDER)
        canvas.FrameRect(r, ColorToRGB(clWindowFrame));
}

void TWinControl::SetWindowRgn(std::optional<TRegion> region, bool redraw) {
    bool same = region.has_value() == m_windowRgn.has_value() && (!region || region->SameArea(*m_windowRgn));
    m_windowRgn = std::move(region);
    if (same || !redraw) return;
    TRect r = BoundsRect();
    if (Parent()) Parent()->InvalidateRect(&r, true);
    InvalidateTree();
}

bool TWinControl::HitTest(TPoint clientPos) const {
    TRect in = NonClientInsets();
    TPoint w{clientPos.X + in.Left, clientPos.Y + in.Top};
    if (!TRect{0, 0, Width(), Height()}.Contains(w)) return false;
    return !m_windowRgn || m_windowRgn->Contains(w);
}

// --- printing ---

void TWinControl::PaintTo(TCanvas& canvas, int x, int y) {
    TCanvasSaver saver(canvas);
    canvas.OffsetOrigin(x, y);
    canvas.IntersectClipRect({0, 0, Width(), Height()});
    Perform(WM_PRINT, WParamFromCanvas(&canvas), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
}

void TWinControl::PaintTo(TBitmap& bitmap, int x, int y) {
    TCanvas canvas(bitmap);
    PaintTo(canvas, x, y);
}

void TWinControl::WMPrint(TWMPrint& m) {
    TCanvas* canvas = m.Canvas;
    if (!canvas) return;
    if ((m.Flags & PRF_CHECKVISIBLE) && !Visible()) return;
    SetControlState(ControlState().With(TControlStateFlag::csPaintCopy));
    TCanvasSaver outer(*canvas);
    if (m_windowRgn) canvas->IntersectClipRegion(*m_windowRgn);
    canvas->SetFont(Font());
    TRect in = NonClientInsets();
    TRect client = ClientRect().Offset(in.Left, in.Top);
    if ((m.Flags & PRF_NONCLIENT) && (in.Left || in.Top || in.Right || in.Bottom)) {
        TCanvasSaver s(*canvas);
        canvas->ExcludeClipRect(client);
        Perform(WM_NCPAINT, WParamFromCanvas(canvas));
    }
    {
        TCanvasSaver s(*canvas);
        canvas->OffsetOrigin(in.Left, in.Top);
        canvas->IntersectClipRect(ClientRect());
        if (m.Flags & PRF_ERASEBKGND) Perform(WM_ERASEBKGND, WParamFromCanvas(canvas));
        if (m.Flags & PRF_CLIENT) Perform(WM_PAINT, WParamFromCanvas(canvas));
        if (m.Flags & PRF_CHILDREN) {
            for (TControl* c : std::vector<TControl*>(m_controls)) {
                if (!c->IsWindowed() || !c->Visible()) continue;
                TCanvasSaver cs(*canvas);
                canvas->OffsetOrigin(c->Left(), c->Top());
                canvas->IntersectClipRect({0, 0, c->Width(), c->Height()});
                c->Perform(WM_PRINT, WParamFromCanvas(canvas), m.Flags);
            }
        }
    }
    SetControlState(ControlState().Without(TControlStateFlag::csPaintCopy));
    m.Result = 1;
}

// --- typed handlers ---

void TWinControl::OtherMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_NCPAINT:
        Decode(m, &TWinControl::WMNCPaint);
        break;
    case WM_NCHITTEST:
        Decode(m, &TWinControl::WMNCHitTest);
        break;
    case WM_PRINT:
    case WM_PRINTCLIENT:
        Decode(m, &TWinControl::WMPrint);
        break;
    case WM_SETREDRAW:
        Decode(m, &TWinControl::WMSetRedraw);
        break;
    case WM_SETFOCUS:
        Decode(m, &TWinControl::WMSetFocus);
        break;
    case WM_KILLFOCUS:
        Decode(m, &TWinControl::WMKillFocus);
        break;
    case WM_KEYDOWN:
        Decode(m, &TWinControl::WMKeyDown);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        Decode(m, &TWinControl::WMKeyUp);
        break;
    case WM_CHAR:
        Decode(m, &TWinControl::WMChar);
        break;
    case WM_SYSKEYDOWN:
        Decode(m, &TWinControl::WMSysKeyDown);
        break;
    case WM_SYSCHAR:
        Decode(m, &TWinControl::WMSysChar);
        break;
    case WM_GETDLGCODE:
        Decode(m, &TWinControl::WMGetDlgCode);
        break;
    case WM_COMMAND:
        Decode(m, &TWinControl::WMCommand);
        break;
    case WM_DRAWITEM:
        Decode(m, &TWinControl::WMDrawItem);
        break;
    case WM_MEASUREITEM:
        Decode(m, &TWinControl::WMMeasureItem);
        break;
    case WM_TIMER:
        Decode(m, &TWinControl::WMTimer);
        break;
    case WM_SETTEXT:
        Decode(m, &TWinControl::WMSetText);
        break;
    default:
        DefaultHandler(m);
        break;
    }
}

void TWinControl::BoundsChanged(const TRect& oldBounds) {
    if (Parent()) {
        TRect r = BoundsRect();
        Parent()->InvalidateRect(&oldBounds, true);
        Parent()->InvalidateRect(&r, true);
    }
    InvalidateTree();
}

void TWinControl::WMPaint(TWMPaint& m) {
    TCanvas* canvas = m.Canvas;
    if (!canvas) {
        // Sent without a canvas: paint what is pending the ordinary way.
        Update();
        return;
    }
    PaintWindow(*canvas);
    PaintControls(*canvas);
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& m) {
    if (TCanvas* canvas = m.Canvas) {
        canvas->FillRect(ClientRect(), ColorToRGB(Color()));
        m.Result = 1;
    }
}

void TWinControl::WMNCPaint(TWMNCPaint& m) {
    if (TCanvas* canvas = m.Canvas) PaintNonClient(*canvas);
}

void TWinControl::WMNCHitTest(TWMHitTest& m) {
    TPoint screen = m.Pos;
    TRect r = ScreenRect();
    if (!r.Contains(screen)) {
        m.Result = HTNOWHERE;
        return;
    }
    TPoint c = ScreenToClient(screen);
    m.Result = ClientRect().Contains(c) ? HTCLIENT : HTBORDER;
}

void TWinControl::WMSize(TWMSize& m) {
    TSize now{ClientWidth(), ClientHeight()};
    if (!IsLoading() && (m_lastClientSize.Width || m_lastClientSize.Height)) {
        int dw = now.Width - m_lastClientSize.Width, dh = now.Height - m_lastClientSize.Height;
        if (dw || dh)
            for (TControl* c : std::vector<TControl*>(m_controls)) {
                TAnchors a = c->Anchors();
                if (a == TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop}) continue;
                c->AnchorToParentResize(dw, dh);
            }
    }
    m_lastClientSize = now;
    TControl::WMSize(m);
}

void TWinControl::WMSetRedraw(TWMSetRedraw& m) {
    m_redraw = m.Redraw;
}

void TWinControl::WMSetFocus(TWMFocus& m) {
    DefaultHandler(m);
}
void TWinControl::WMKillFocus(TWMFocus& m) {
    DefaultHandler(m);
}

void TWinControl::KeyDown(int& key, TShiftState shift) {
    if (OnKeyDown) {
        TKeyEvent handler = OnKeyDown;
        handler(this, key, shift);
    }
}

void TWinControl::KeyUp(int& key, TShiftState shift) {
    if (OnKeyUp) {
        TKeyEvent handler = OnKeyUp;
        handler(this, key, shift);
    }
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress) {
        TKeyPressEvent handler = OnKeyPress;
        handler(this, key);
    }
}

namespace {
TShiftState CurrentShift() {
    return Application ? Application->ShiftState() : 0;
}
} // namespace

void TWinControl::WMKeyDown(TWMKey& m) {
    int key = m.CharCode;
    KeyDown(key, CurrentShift());
    if (key == 0) {
        m.Result = 0;
        return;
    }
    m.SetCharCode(key);
    DefaultHandler(m);
}

void TWinControl::WMKeyUp(TWMKey& m) {
    int key = m.CharCode;
    KeyUp(key, CurrentShift());
    if (key == 0) return;
    m.SetCharCode(key);
    DefaultHandler(m);
}

void TWinControl::WMChar(TWMKey& m) {
    auto ch = char32_t(m.CharCode);
    KeyPress(ch);
    if (ch == 0) return;
    m.SetCharCode(int(ch));
    DefaultHandler(m);
}

void TWinControl::WMSysKeyDown(TWMKey& m) {
    int key = m.CharCode;
    KeyDown(key, CurrentShift());
    if (key == 0) return;
    // The platform's default: Alt+F4 asks the top-level window to close.
    if (key == VK_F4 && m.AltDown()) {
        if (TCustomForm* form = ParentForm()) {
            form->Perform(WM_SYSCOMMAND, SC_CLOSE);
            m.Result = 0;
            return;
        }
    }
    DefaultHandler(m);
}

void TWinControl::WMSysChar(TWMKey& m) {
    TCustomForm* form = ParentForm();
    if (form && form->Perform(CM_DIALOGCHAR, TWParam(m.CharCode), ssAlt) != 0) {
        m.Result = 1;
        return;
    }
    DefaultHandler(m);
}

void TWinControl::WMGetDlgCode(TWMGetDlgCode& m) {
    m.Result = DialogCode();
}

void TWinControl::WMCommand(TWMCommand& m) {
    TWinControl* child = WindowTable::Find(m.Ctl);
    if (child && child != this) {
        m.Result = child->Perform(CN_COMMAND, m.Message.WParam, m.Message.LParam);
        return;
    }
    DefaultHandler(m);
}

void TWinControl::WMDrawItem(TWMDrawItem& m) {
    TDrawItemStruct* dis = m.DrawItemStruct;
    TWinControl* child = dis ? WindowTable::Find(dis->HwndItem) : nullptr;
    if (child && child != this) {
        m.Result = child->Perform(CN_DRAWITEM, m.Message.WParam, m.Message.LParam);
        return;
    }
    DefaultHandler(m);
}

void TWinControl::WMMeasureItem(TWMMeasureItem& m) {
    TWinControl* child = WindowTable::Find(m.IDCtl);
    if (child && child != this) {
        m.Result = child->Perform(CN_MEASUREITEM, m.Message.WParam, m.Message.LParam);
        return;
    }
    DefaultHandler(m);
}

void TWinControl::WMSetText(TWMSetText& m) {
    if (const char* text = m.Text) SetText(text);
    m.Result = 1;
}

namespace {

// A control that is hidden or disabled gives up the focus when it or a child of it has it.
void DropFocusWithin(TWinControl& control) {
    TCustomForm* form = control.ParentForm();
    if (!form || form == &control) return;
    TWinControl* active = form->ActiveControl();
    if (active && control.ContainsControl(active)) form->FocusControl(nullptr);
}

} // namespace

void TWinControl::CMVisibleChanged(TCMVisibleChanged& m) {
    if (!m.Visible) DropFocusWithin(*this);
    TControl::CMVisibleChanged(m);
}

void TWinControl::CMEnabledChanged(TWMNoParams& m) {
    if (!Enabled()) DropFocusWithin(*this);
    InvalidateTree();
    DefaultHandler(m);
}

void TWinControl::CMFontChanged(TWMNoParams& m) {
    Invalidate();
    NotifyControls(CM_PARENTFONTCHANGED);
    DefaultHandler(m);
}

void TWinControl::CMColorChanged(TWMNoParams& m) {
    Invalidate();
    NotifyControls(CM_PARENTCOLORCHANGED);
    DefaultHandler(m);
}

void TWinControl::CMDialogKey(TCMDialogKey& m) {
    Broadcast(m);
}
void TWinControl::CMDialogChar(TCMDialogChar& m) {
    Broadcast(m);
}

void TWinControl::CMFocusChanged(TCMFocusChanged& m) {
    Broadcast(m);
    m.Result = 0;
}
