#include "platform/toolkit/TCustomForm.h"

// Sections: construction and design; window properties; showing and closing; activation
// and focus; non-client area; composition; typed handlers.

#include <algorithm>
#include <utility>

#include "platform/canvas/TCanvas.h"
#include "platform/core/Exceptions.h"
#include "platform/graphics/SystemColors.h"
#include "platform/graphics/SystemMetrics.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/CBTHook.h"
#include "platform/toolkit/ClassicLook.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TFormDesign.h"
#include "platform/toolkit/TJsonWriter.h"
#include "platform/toolkit/TScreen.h"
#include "platform/toolkit/WindowTable.h"

// --- construction and design ---

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetComponentStateFlag(TComponentStateFlag::csCreating, true);
    InitVisible(false);
    SetStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
    SetControlStyle(ControlStyle().With(TControlStyleFlag::csAcceptsControls));
    SetParentFont(false);
    if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    MarkDestroying();
    if (OnDestroy) {
        TNotifyEvent handler = OnDestroy;
        try {
            handler(this);
        } catch (const std::exception& e) {
            if (Application) Application->HandleException(e);
        }
    }
    if (Application) Application->FormDestroying(this);
    DestroyComponents();
    // The form's own window teardown (hook, backend window) needs the form's overrides.
    DestroyHandle();
    if (Screen) Screen->RemoveForm(this);
}

void TCustomForm::LoadDesign(const TFormDesign& design) {
    ReadFormDesign(*this, design);
    DoCreate();
}

void TCustomForm::DoCreate() {
    m_runningCreateHandler = true;
    if (OnCreate) {
        TNotifyEvent handler = OnCreate;
        try {
            handler(this);
        } catch (const std::exception& e) {
            // The rest of the handler is skipped; the form still opens.
            if (Application) Application->HandleException(e);
        }
    }
    m_runningCreateHandler = false;
    SetComponentStateFlag(TComponentStateFlag::csCreating, false);
}

// --- window properties ---

void TCustomForm::SetBorderStyle(TFormBorderStyle s) {
    if (s == m_borderStyle) return;
    m_borderStyle = s;
    std::uint32_t style = WS_POPUP;
    if (s != TFormBorderStyle::bsNone) style |= WS_CAPTION | WS_SYSMENU;
    if (s == TFormBorderStyle::bsSizeable || s == TFormBorderStyle::bsSizeToolWin) style |= WS_THICKFRAME;
    SetStyle(style);
    InvalidateTree();
    Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    m_borderIcons = icons;
    InvalidateFrame();
}

void TCustomForm::SetWindowState(TWindowState s) {
    if (s == m_windowState) return;
    TWindowState old = m_windowState;
    m_windowState = s;
    if (old == TWindowState::wsNormal && s == TWindowState::wsMaximized) m_restoredBounds = BoundsRect();
    if (Visible()) ApplyWindowState();
}

void TCustomForm::ApplyWindowState() {
    if (m_windowState == TWindowState::wsMaximized && Screen) {
        if (m_restoredBounds.IsEmpty()) m_restoredBounds = BoundsRect();
        SetBounds(0, 0, Screen->Width(), Screen->Height());
    } else if (m_windowState == TWindowState::wsNormal && !m_restoredBounds.IsEmpty()) {
        TRect r = m_restoredBounds;
        m_restoredBounds = TRect();
        SetBoundsRect(r);
    }
    InvalidateFrame();
}

void TCustomForm::ScreenResized(TSize screen) {
    if (m_windowState == TWindowState::wsMaximized && Visible()) SetBounds(0, 0, screen.Width, screen.Height);
}

void TCustomForm::SetFormStyle(TFormStyle s) {
    if (s == m_formStyle) return;
    m_formStyle = s;
    if (Screen && Visible()) Screen->RaiseForm(this);
}

void TCustomForm::ApplyPosition() {
    if (!Screen) return;
    TCustomForm* relative = nullptr;
    switch (m_position) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
        break;
    case TPosition::poOwnerFormCenter:
        relative = dynamic_cast<TCustomForm*>(Owner());
        [[fallthrough]];
    case TPosition::poMainFormCenter:
        if (!relative && Application) relative = Application->MainForm();
        break;
    default:
        return;
    }
    // Without a visible form to centre on, the form centres on the screen.
    TRect area{0, 0, Screen->Width(), Screen->Height()};
    if (relative && relative != this && relative->Visible()) area = relative->BoundsRect();
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(),
              Height());
}

TRect TCustomForm::NonClientInsets() const {
    int f = FrameWidth();
    return {f, f + CaptionHeight(), f, f};
}

int TCustomForm::FrameWidth() const {
    switch (m_borderStyle) {
    case TFormBorderStyle::bsNone:
        return 0;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
        return GetSystemMetrics(SM_CXFRAME);
    default:
        return GetSystemMetrics(SM_CXDLGFRAME);
    }
}

int TCustomForm::CaptionHeight() const {
    switch (m_borderStyle) {
    case TFormBorderStyle::bsNone:
        return 0;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin:
        return GetSystemMetrics(SM_CYSMCAPTION);
    default:
        return GetSystemMetrics(SM_CYCAPTION);
    }
}

TRect TCustomForm::CloseButtonRect() const {
    if (m_borderStyle == TFormBorderStyle::bsNone || !m_borderIcons.Has(TBorderIcon::biSystemMenu)) return {};
    int f = FrameWidth(), cap = CaptionHeight();
    int h = std::max(cap - 5, 4), w = h + 2;
    int right = Width() - f - 2;
    int top = f + (cap - 1 - h) / 2;
    return {right - w, top, right, top + h};
}

TRect TCustomForm::MaxButtonRect() const {
    bool framed =
        m_borderStyle == TFormBorderStyle::bsSingle || m_borderStyle == TFormBorderStyle::bsSizeable;
    if (!framed || !m_borderIcons.Has(TBorderIcon::biMaximize)) return {};
    TRect close = CloseButtonRect();
    if (close.IsEmpty()) return {};
    return close.Offset(-close.Width() - 2, 0);
}

// --- showing and closing ---

void TCustomForm::CreateWnd() {
    m_handle = WindowTable::Register(this);
    m_windowClassName = ClassName();
    RunCBTHooks(HCBT_CREATEWND, m_handle, 0);
    if (Application) {
        TNativeWindowStyle style;
        style.StayOnTop = m_formStyle == TFormStyle::fsStayOnTop;
        style.Visible = false;
        m_nativeWindow = Application->Backend().CreateWindow(BoundsRect(), Caption(), style);
    }
    // The surface is made at the first composition, at the size the form has then: a form
    // created at its design size and maximised when shown sizes it once.
    Perform(WM_CREATE);
    InvalidateTree();
}

void TCustomForm::DestroyWnd() {
    RunCBTHooks(HCBT_DESTROYWND, m_handle, 0);
    TWinControl::DestroyWnd();
    if (Application && m_nativeWindow) Application->Backend().DestroyWindow(m_nativeWindow);
    m_nativeWindow = 0;
}

void TCustomForm::SetVisible(bool visible) {
    if (visible == Visible()) return;
    if (visible) {
        HandleNeeded();
        if (!m_shownOnce) {
            m_shownOnce = true;
            ApplyPosition();
        }
        ApplyWindowState();
        TControl::SetVisible(true);
        if (Screen) Screen->RaiseForm(this);
        DoShow();
        if (Application && m_nativeWindow) Application->Backend().ShowWindow(m_nativeWindow, true);
        InvalidateTree();
        RequestPresent();
    } else {
        HideNow();
    }
}

void TCustomForm::HideNow() {
    if (!Visible()) return;
    TControl::SetVisible(false);
    if (Application) Application->FormHidden(this);
    DoHide();
    if (Application && m_nativeWindow) Application->Backend().ShowWindow(m_nativeWindow, false);
}

void TCustomForm::Show() {
    SetVisible(true);
    BringToFrontAndActivate();
}

void TCustomForm::BringToFrontAndActivate() {
    if (!Visible()) return;
    if (Screen) Screen->RaiseForm(this);
    if (Application && !m_noActivate) Application->FormActivating(this, false);
}

TModalResult TCustomForm::ShowModal() {
    if (!Application) throw Exception("A modal form needs an application");
    if (Visible() || m_modal) throw Exception("Cannot make a visible window modal");
    // The form whose input the modal form takes over owns it while it runs, so that window
    // managers keep it above that form and give it the focus meant for that form.
    TCustomForm* owner = Application->TopModalForm();
    if (!owner) owner = Application->ActiveForm();
    if (!owner) owner = Application->MainForm();
    if (owner == this) owner = nullptr;
    m_modal = true;
    m_modalResult = mrNone;
    Application->PushModal(this);
    SetNativeOwner(owner, true);
    TModalResult result = mrNone;
    try {
        Show();
        for (;;) {
            if (Application->Terminated()) {
                m_modalResult = mrCancel;
                break;
            }
            if (m_modalResult != mrNone) {
                TCloseAction action = TCloseAction::caNone;
                if (CloseQuery()) {
                    action = TCloseAction::caHide;
                    DoClose(action);
                }
                if (action == TCloseAction::caNone)
                    m_modalResult = mrNone;
                else {
                    if (action == TCloseAction::caFree) Release();
                    break;
                }
            }
            if (m_modalResult == mrNone) Application->HandleMessage();
        }
        result = m_modalResult;
    } catch (...) {
        Application->PopModal(this);
        m_modal = false;
        HideNow();
        SetNativeOwner(nullptr, false);
        throw;
    }
    Application->PopModal(this);
    m_modal = false;
    HideNow();
    SetNativeOwner(nullptr, false);
    return result;
}

void TCustomForm::SetNativeOwner(TCustomForm* owner, bool modal) {
    if (!Application) return;
    HandleNeeded();
    if (m_nativeWindow)
        Application->Backend().SetWindowOwner(m_nativeWindow, owner ? owner->NativeWindow() : 0, modal);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) {
        TCloseQueryEvent handler = OnCloseQuery;
        handler(this, canClose);
    }
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) {
        TCloseEvent handler = OnClose;
        handler(this, action);
    }
}

void TCustomForm::Close() {
    if (m_modal) {
        m_modalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == TCloseAction::caFree)
        Release();
    else
        HideNow();
}

void TCustomForm::Release() {
    if (Application && HandleAllocated()) Application->PostMessage(m_handle, CM_RELEASE);
}

void TCustomForm::DoShow() {
    if (OnShow) {
        TNotifyEvent handler = OnShow;
        handler(this);
    }
}

void TCustomForm::DoHide() {
    if (OnHide) {
        TNotifyEvent handler = OnHide;
        handler(this);
    }
}

// --- activation and focus ---

void TCustomForm::SetActiveState(bool active, TCustomForm* other, bool byClick) {
    if (active == m_active) return;
    m_active = active;
    THandle otherHandle = other ? other->WindowHandle() : 0;
    Perform(WM_NCACTIVATE, active ? 1 : 0, TLParam(otherHandle));
    TWParam code = !active ? WA_INACTIVE : byClick ? WA_CLICKACTIVE : WA_ACTIVE;
    Perform(WM_ACTIVATE, code, TLParam(otherHandle));
}

void TCustomForm::Activate() {
    TWinControl* target = m_activeControl;
    if (!target || !target->CanFocus()) {
        m_activeControl = nullptr;
        target = FindNextControl(nullptr, true, true, false);
    }
    if (target) {
        m_activeControl = target;
        target->Perform(WM_SETFOCUS);
        TMessage m{CM_FOCUSCHANGED, 0, LParamFromPointer(target), 0};
        PerformMessage(m);
    } else {
        Perform(WM_SETFOCUS);
    }
    if (OnActivate) {
        TNotifyEvent handler = OnActivate;
        handler(this);
    }
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) {
        TNotifyEvent handler = OnDeactivate;
        handler(this);
    }
    if (m_activeControl)
        m_activeControl->Perform(WM_KILLFOCUS);
    else
        Perform(WM_KILLFOCUS);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control && !ContainsControl(control)) return;
    FocusControl(control);
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (control == this) control = nullptr;
    if (control == m_activeControl) return;
    TWinControl* old = m_activeControl;
    m_activeControl = control;
    if (!m_active) return;
    TWinControl* oldFocus = old ? old : this;
    TWinControl* newFocus = control ? control : this;
    oldFocus->Perform(WM_KILLFOCUS, newFocus->WindowHandle());
    if (old && old->OnExit) {
        TNotifyEvent handler = old->OnExit;
        handler(old);
    }
    // The exit handler may have moved the focus elsewhere already.
    if (m_activeControl != control) return;
    newFocus->Perform(WM_SETFOCUS, oldFocus->WindowHandle());
    if (control && control->OnEnter) {
        TNotifyEvent handler = control->OnEnter;
        handler(control);
    }
    TMessage m{CM_FOCUSCHANGED, 0, LParamFromPointer(control), 0};
    PerformMessage(m);
}

void TCustomForm::ControlDestroying(TControl* control) {
    if (m_activeControl && static_cast<TControl*>(m_activeControl) == control) m_activeControl = nullptr;
}

// --- non-client area ---

void TCustomForm::PaintNonClient(TCanvas& canvas) {
    if (m_borderStyle == TFormBorderStyle::bsNone) return;
    int w = Width(), h = Height();
    int f = FrameWidth(), cap = CaptionHeight();
    TRect outer{0, 0, w, h};
    TRect inner = ClassicLook::DrawEdge(canvas, outer, ClassicLook::TEdge::Raised);
    // The rest of the frame, between the edge and the client area (and the caption).
    TColor face = ColorToRGB(clBtnFace);
    TRect client = ClientRect().Offset(f, f + cap);
    canvas.FillRect({inner.Left, inner.Top, inner.Right, f}, face);
    canvas.FillRect({inner.Left, client.Bottom, inner.Right, inner.Bottom}, face);
    canvas.FillRect({inner.Left, f, f, client.Bottom}, face);
    canvas.FillRect({client.Right, f, inner.Right, client.Bottom}, face);
    // Title bar: a horizontal gradient, with a one-pixel line below it.
    TRect bar{f, f, w - f, f + cap - 1};
    TColor c1 = ColorToRGB(m_active ? clActiveCaption : clInactiveCaption);
    TColor c2 = ColorToRGB(m_active ? clGradientActiveCaption : clGradientInactiveCaption);
    int span = std::max(1, bar.Width() - 1);
    for (int x = bar.Left; x < bar.Right; ++x) {
        int t = x - bar.Left;
        auto mix = [&](int a, int b) { return std::uint8_t(a + (b - a) * t / span); };
        TColor c = MakeColor(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)),
                             mix(GetBValue(c1), GetBValue(c2)));
        canvas.FillRect({x, bar.Top, x + 1, bar.Bottom}, c);
    }
    canvas.FillRect({f, f + cap - 1, w - f, f + cap}, face);
    TRect close = CloseButtonRect();
    TRect max = MaxButtonRect();
    int textRight = bar.Right - 2;
    if (!max.IsEmpty())
        textRight = max.Left - 2;
    else if (!close.IsEmpty())
        textRight = close.Left - 2;
    {
        TCanvasSaver saver(canvas);
        TFont font = Font();
        font.SetStyle(font.Style().With(TFontStyle::fsBold));
        font.SetColor(m_active ? clCaptionText : clInactiveCaptionText);
        canvas.SetFont(font);
        canvas.SetBrushStyle(TBrushStyle::bsClear);
        TRect tr{bar.Left + 3, bar.Top, textRight, bar.Bottom};
        canvas.DrawText(Caption(), tr,
                        TextFlags::DT_SINGLELINE | TextFlags::DT_VCENTER | TextFlags::DT_NOPREFIX |
                            TextFlags::DT_END_ELLIPSIS);
    }
    if (!close.IsEmpty())
        ClassicLook::DrawCaptionButton(canvas, close, ClassicLook::TCaptionButtonKind::Close,
                                       m_closeButton.IsPushed(), true);
    if (!max.IsEmpty())
        ClassicLook::DrawCaptionButton(canvas, max,
                                       m_windowState == TWindowState::wsMaximized
                                           ? ClassicLook::TCaptionButtonKind::Restore
                                           : ClassicLook::TCaptionButtonKind::Maximize,
                                       m_maxButton.IsPushed(), true);
}

void TCustomForm::WMNCHitTest(TWMHitTest& m) {
    TPoint s = m.Pos;
    TPoint p{s.X - Left(), s.Y - Top()};
    int w = Width(), h = Height();
    if (!TRect{0, 0, w, h}.Contains(p)) {
        m.Result = HTNOWHERE;
        return;
    }
    if (m_windowRgn && !m_windowRgn->Contains(p)) {
        m.Result = HTNOWHERE;
        return;
    }
    int f = FrameWidth(), cap = CaptionHeight();
    TRect client = ClientRect().Offset(f, f + cap);
    if (client.Contains(p)) {
        m.Result = HTCLIENT;
        return;
    }
    if (CloseButtonRect().Contains(p)) {
        m.Result = HTCLOSE;
        return;
    }
    if (MaxButtonRect().Contains(p)) {
        m.Result = HTMAXBUTTON;
        return;
    }
    if (TRect{f, f, w - f, f + cap}.Contains(p)) {
        m.Result = HTCAPTION;
        return;
    }
    bool sizeable =
        m_borderStyle == TFormBorderStyle::bsSizeable || m_borderStyle == TFormBorderStyle::bsSizeToolWin;
    if (!sizeable || m_windowState == TWindowState::wsMaximized) {
        m.Result = HTBORDER;
        return;
    }
    int corner = f + cap;
    bool left = p.X < f, right = p.X >= w - f, top = p.Y < f, bottom = p.Y >= h - f;
    bool nearLeft = p.X < corner, nearRight = p.X >= w - corner, nearTop = p.Y < corner,
         nearBottom = p.Y >= h - corner;
    if ((top && nearLeft) || (left && nearTop))
        m.Result = HTTOPLEFT;
    else if ((top && nearRight) || (right && nearTop))
        m.Result = HTTOPRIGHT;
    else if ((bottom && nearLeft) || (left && nearBottom))
        m.Result = HTBOTTOMLEFT;
    else if ((bottom && nearRight) || (right && nearBottom))
        m.Result = HTBOTTOMRIGHT;
    else if (left)
        m.Result = HTLEFT;
    else if (right)
        m.Result = HTRIGHT;
    else if (top)
        m.Result = HTTOP;
    else
        m.Result = HTBOTTOM;
}

void TCustomForm::WMNCLButtonDown(TWMNCMouse& m) {
    int hit = m.HitTest;
    TPoint pos = m.Pos;
    if (!Application) return;
    switch (hit) {
    case HTCAPTION:
        if (m_windowState != TWindowState::wsMaximized) Application->BeginFormTracking(this, hit, pos);
        break;
    case HTCLOSE:
        if (m_closeButton.MouseDown().Changed) InvalidateFrame();
        Application->BeginNonClientButtonTracking(this);
        break;
    case HTMAXBUTTON:
        if (m_maxButton.MouseDown().Changed) InvalidateFrame();
        Application->BeginNonClientButtonTracking(this);
        break;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTBOTTOM:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        Application->BeginFormTracking(this, hit, pos);
        break;
    default:
        DefaultHandler(m);
        break;
    }
}

void TCustomForm::WMNCMouseMove(TWMNCMouse& m) {
    int hit = m.HitTest;
    bool changed = m_closeButton.MouseMove(hit == HTCLOSE).Changed;
    changed = m_maxButton.MouseMove(hit == HTMAXBUTTON).Changed || changed;
    if (changed) InvalidateFrame();
    DefaultHandler(m);
}

void TCustomForm::WMNCLButtonUp(TWMNCMouse& m) {
    int hit = m.HitTest;
    auto close = m_closeButton.MouseUp(hit == HTCLOSE);
    auto max = m_maxButton.MouseUp(hit == HTMAXBUTTON);
    if (close.Changed || max.Changed) InvalidateFrame();
    if (close.Click)
        Perform(WM_SYSCOMMAND, SC_CLOSE);
    else if (max.Click)
        Perform(WM_SYSCOMMAND, m_windowState == TWindowState::wsMaximized ? SC_RESTORE : SC_MAXIMIZE);
    else
        DefaultHandler(m);
}

// --- composition ---

namespace {

void ComposeTree(TWinControl& w, bool& painted) {
    if (!w.Visible() || !w.IsRedrawEnabled()) return;
    if (w.PaintPending()) painted = true;
    for (TControl* c : std::vector<TControl*>(w.ControlList()))
        if (c->IsWindowed()) ComposeTree(*static_cast<TWinControl*>(c), painted);
}

} // namespace

bool TCustomForm::ComposeAndPresent() {
    if (!HandleAllocated() || !Visible() || !IsRedrawEnabled()) return false;
    if (m_surface->Width() != Width() || m_surface->Height() != Height()) {
        // A new bitmap, not the old one resized: a backend may still show the old one.
        m_surface = std::make_shared<TBitmap>(Width(), Height(), TPixelFormat::pf32bit);
        InvalidateTree();
        RequestPresent();
    }
    bool painted = false;
    ComposeTree(*this, painted);
    if (!painted && m_damage.IsEmpty()) return false;
    TRegion damaged = std::exchange(m_damage, TRegion());
    damaged.Intersect(m_surface->BoundsRect());
    if (Application && m_nativeWindow)
        Application->Backend().PresentSurface(m_nativeWindow, m_surface, damaged);
    ++m_presentCount;
    return true;
}

void TCustomForm::RequestPresent() {
    m_damage = TRegion(TRect{0, 0, Width(), Height()});
}

void TCustomForm::BoundsChanged(const TRect& oldBounds) {
    bool sized = oldBounds.Width() != Width() || oldBounds.Height() != Height();
    if (Application && m_nativeWindow) Application->Backend().SetWindowBounds(m_nativeWindow, BoundsRect());
    if (sized) {
        // The next composition sizes the surface and paints it whole.
        InvalidateTree();
    }
    RequestPresent();
}

void TCustomForm::PaintWindow(TCanvas& canvas) {
    if (!OnPaint) return;
    TCanvas* saved = m_paintCanvas;
    m_paintCanvas = &canvas;
    TNotifyEvent handler = OnPaint;
    try {
        handler(this);
    } catch (...) {
        m_paintCanvas = saved;
        throw;
    }
    m_paintCanvas = saved;
}

namespace {

TFormDumpExtension& FormDumpExtension() {
    static TFormDumpExtension extension;
    return extension;
}

} // namespace

void SetFormDumpExtension(TFormDumpExtension extension) {
    FormDumpExtension() = std::move(extension);
}

void TCustomForm::WriteDumpFields(TJsonWriter& json) const {
    json.Field("active", m_active);
    json.Field("modal", m_modal);
    json.Field("maximized", m_windowState == TWindowState::wsMaximized);
    if (FormDumpExtension()) FormDumpExtension()(*this, json);
}

// --- typed handlers ---

void TCustomForm::OtherMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_ACTIVATE:
        Decode(m, &TCustomForm::WMActivate);
        break;
    case WM_NCACTIVATE:
        Decode(m, &TCustomForm::WMNCActivate);
        break;
    case WM_CLOSE:
        Decode(m, &TCustomForm::WMClose);
        break;
    case WM_SYSCOMMAND:
        Decode(m, &TCustomForm::WMSysCommand);
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        Decode(m, &TCustomForm::WMNCLButtonDown);
        break;
    case WM_NCLBUTTONUP:
        Decode(m, &TCustomForm::WMNCLButtonUp);
        break;
    case WM_NCMOUSEMOVE:
        Decode(m, &TCustomForm::WMNCMouseMove);
        break;
    case CM_RELEASE:
        Decode(m, &TCustomForm::CMRelease);
        break;
    default:
        TWinControl::OtherMessage(m);
        break;
    }
}

void TCustomForm::WMActivate(TWMActivate& m) {
    if (m.Active != WA_INACTIVE)
        Activate();
    else
        Deactivate();
}

void TCustomForm::WMNCActivate(TWMNCActivate& m) {
    InvalidateFrame();
    m.Result = 1;
}

void TCustomForm::WMClose(TWMNoParams& m) {
    (void)m;
    Close();
}

void TCustomForm::WMSysCommand(TWMSysCommand& m) {
    switch (m.CmdType) {
    case SC_CLOSE:
        Perform(WM_CLOSE);
        break;
    case SC_MAXIMIZE:
        SetWindowState(TWindowState::wsMaximized);
        break;
    case SC_RESTORE:
        SetWindowState(TWindowState::wsNormal);
        break;
    default:
        DefaultHandler(m);
        break;
    }
}

void TCustomForm::CMRelease(TWMNoParams& m) {
    (void)m;
    // The last thing this form does: nothing touches it after the delete.
    delete this;
}

void TCustomForm::CMDialogKey(TCMDialogKey& m) {
    int key = m.CharCode;
    auto shift = TShiftState(m.Shift);
    if (key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
        SelectNext(m_activeControl, !(shift & ssShift), true);
        m.Result = 1;
        return;
    }
    if ((key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) &&
        !(shift & (ssCtrl | ssAlt)) && m_activeControl && m_activeControl->Parent()) {
        m_activeControl->Parent()->SelectNext(m_activeControl, key == VK_RIGHT || key == VK_DOWN, false);
        m.Result = 1;
        return;
    }
    TWinControl::CMDialogKey(m);
}
