#include "platform/toolkit/TApplication.h"

// Sections: globals and window-system calls; construction; loop; timers and posted
// messages; activation and modality; input pipeline (mouse, keys, text, tracking).

#include <algorithm>
#include <cstdlib>

#include "platform/core/Utf8.h"
#include "platform/graphics/SystemMetrics.h"
#include "platform/toolkit/CBTHook.h"
#include "platform/toolkit/Dialogs.h"
#include "platform/toolkit/TScreen.h"
#include "platform/toolkit/TTimer.h"
#include "platform/toolkit/WindowTable.h"

// --- globals and window-system calls ---

TApplication* Application = nullptr;

TLResult SendMessage(THandle window, std::uint32_t msg, TWParam w, TLParam l) {
    TWinControl* c = WindowTable::Find(window);
    return c ? c->Perform(msg, w, l) : 0;
}

bool PostMessage(THandle window, std::uint32_t msg, TWParam w, TLParam l) {
    return Application && Application->PostMessage(window, msg, w, l);
}

TWinControl* GetFocus() {
    return Application ? Application->FocusedControl() : nullptr;
}

std::string GetClassName(THandle window) {
    TWinControl* c = WindowTable::Find(window);
    return c ? c->WindowClassName() : std::string();
}

namespace {

constexpr std::uint64_t DoubleClickTimeMs = 500;

bool IsDialogKey(int key) {
    return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_LEFT || key == VK_RIGHT ||
           key == VK_UP || key == VK_DOWN;
}

std::uint32_t ButtonBit(TMouseButton b) {
    switch (b) {
    case TMouseButton::mbLeft:
        return ssLeft;
    case TMouseButton::mbRight:
        return ssRight;
    default:
        return ssMiddle;
    }
}

} // namespace

// --- construction ---

TApplication::TApplication(std::unique_ptr<TBackend> backend)
    : TComponent(nullptr), m_backend(std::move(backend)) {
    Application = this;
    m_screen = std::make_unique<TScreen>();
    Screen = m_screen.get();
    if (m_backend) m_screen->SetSize(m_backend->ScreenSize());
}

TApplication::~TApplication() {
    SetComponentStateFlag(TComponentStateFlag::csDestroying, true);
    // Forms go first, while the application and the screen still exist for them.
    DestroyComponents();
    for (TCustomForm* f : std::vector<TCustomForm*>(m_screen->Forms()))
        delete f;
    Screen = nullptr;
    Application = nullptr;
}

std::vector<TCustomForm*> TApplication::FormsLastToFirst() const {
    std::vector<TCustomForm*> forms;
    for (auto it = ComponentList().rbegin(); it != ComponentList().rend(); ++it)
        if (auto* f = dynamic_cast<TCustomForm*>(*it)) forms.push_back(f);
    return forms;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_mainForm) m_mainForm = nullptr;
}

// --- loop ---

void TApplication::Run() {
    if (m_mainForm && !m_mainForm->Visible()) m_mainForm->Show();
    while (!m_terminated && m_mainForm)
        HandleMessage();
}

void TApplication::Terminate() {
    m_terminated = true;
    if (m_backend) m_backend->Wake();
}

void TApplication::HandleMessage() {
    try {
        if (ProcessOne()) return;
        ComposeAll();
        if (ProcessOne() || m_terminated) return;
        FetchEvents(true);
    } catch (const std::exception& e) {
        HandleException(e);
    }
}

void TApplication::ProcessMessages() {
    try {
        FetchEvents(false);
        // Bounded so that a timer whose handler outlasts its interval cannot hold the caller.
        for (int i = 0; i < 10000 && ProcessOne(); ++i) {
        }
        ComposeAll();
    } catch (const std::exception& e) {
        HandleException(e);
    }
}

void TApplication::FetchEvents(bool wait) {
    if (!m_backend) return;
    std::vector<TBackendEvent> events =
        wait ? m_backend->WaitEvents(NextTimerDue()) : m_backend->PollEvents();
    for (auto& e : events)
        m_events.push_back(std::move(e));
}

bool TApplication::ProcessOne() {
    if (!m_events.empty()) {
        TBackendEvent e = std::move(m_events.front());
        m_events.pop_front();
        HandleBackendEvent(e);
        return true;
    }
    if (!m_posted.empty()) {
        TPosted p = m_posted.front();
        m_posted.pop_front();
        if (TWinControl* c = WindowTable::Find(p.Window))
            c->Perform(p.Message.Msg, p.Message.WParam, p.Message.LParam);
        return true;
    }
    return FireDueTimer();
}

void TApplication::ComposeAll() {
    for (TCustomForm* f : std::vector<TCustomForm*>(m_screen->Forms()))
        if (f->HandleAllocated() && f->Visible()) f->ComposeAndPresent();
}

void TApplication::HandleException(const std::exception& e) {
    HandleException(std::string(e.what()));
}

void TApplication::HandleException(const std::string& message) {
    // An error while an error box is up is not shown in a box of its own.
    if (m_showingException) return;
    m_showingException = true;
    try {
        MessageBox(message, m_title.empty() ? "Error" : m_title, MB_OK | MB_ICONERROR);
    } catch (...) {
    }
    m_showingException = false;
}

// --- timers and posted messages ---

bool TApplication::PostMessage(THandle window, std::uint32_t msg, TWParam w, TLParam l) {
    if (!WindowTable::Find(window)) return false;
    m_posted.push_back({window, TMessage{msg, w, l, 0}});
    if (m_backend) m_backend->Wake();
    return true;
}

std::uintptr_t TApplication::SetTimer(THandle window, std::uintptr_t id, unsigned intervalMs) {
    intervalMs = std::max(intervalMs, 1u);
    std::uint64_t due = NowMs() + intervalMs;
    for (auto& t : m_timers)
        if (!t.Component && t.Window == window && t.Id == id) {
            t.Interval = intervalMs;
            t.Due = due;
            return id;
        }
    m_timers.push_back({window, id, nullptr, intervalMs, due, ++m_timerSerial});
    return id;
}

bool TApplication::KillTimer(THandle window, std::uintptr_t id) {
    auto it = std::find_if(m_timers.begin(), m_timers.end(), [&](const TTimerEntry& t) {
        return !t.Component && t.Window == window && t.Id == id;
    });
    if (it == m_timers.end()) return false;
    m_timers.erase(it);
    return true;
}

void TApplication::KillTimersOf(THandle window) {
    std::erase_if(m_timers, [&](const TTimerEntry& t) { return !t.Component && t.Window == window; });
}

void TApplication::StartComponentTimer(TTimer* timer, unsigned intervalMs) {
    StopComponentTimer(timer);
    intervalMs = std::max(intervalMs, 1u);
    m_timers.push_back({0, 0, timer, intervalMs, NowMs() + intervalMs, ++m_timerSerial});
}

void TApplication::StopComponentTimer(TTimer* timer) {
    std::erase_if(m_timers, [&](const TTimerEntry& t) { return t.Component == timer; });
}

std::optional<std::uint64_t> TApplication::NextTimerDue() const {
    std::optional<std::uint64_t> due;
    for (const auto& t : m_timers)
        if (!due || t.Due < *due) due = t.Due;
    return due;
}

bool TApplication::FireDueTimer() {
    if (m_timers.empty() || !m_backend) return false;
    std::uint64_t now = NowMs();
    auto best = m_timers.end();
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
        if (it->Due <= now && (best == m_timers.end() || it->Due < best->Due ||
                               (it->Due == best->Due && it->Serial < best->Serial)))
            best = it;
    if (best == m_timers.end()) return false;
    // Rescheduled before the tick, so the handler may stop, change or free its timer; ticks
    // missed while the loop was busy are not made up.
    best->Due += best->Interval;
    if (best->Due <= now) best->Due = now + best->Interval;
    TTimerEntry fired = *best;
    TMessage m{WM_TIMER, fired.Id, 0, 0};
    if (fired.Component)
        fired.Component->WndProc(m);
    else if (TWinControl* c = WindowTable::Find(fired.Window))
        c->Perform(WM_TIMER, fired.Id, 0);
    return true;
}

// --- activation and modality ---

TWinControl* TApplication::FocusedControl() const {
    if (!m_activeForm) return nullptr;
    if (TWinControl* c = m_activeForm->ActiveControl()) return c;
    return m_activeForm;
}

void TApplication::FormActivating(TCustomForm* form, bool byClick) {
    if (!form || form->IsNoActivate() || !form->Visible()) return;
    if (TCustomForm* modal = TopModalForm(); modal && modal != form && modal->Visible()) form = modal;
    if (form == m_activeForm) {
        m_screen->RaiseForm(form);
        return;
    }
    if (RunCBTHooks(HCBT_ACTIVATE, form->Handle(), byClick ? 1 : 0) != 0) return;
    TCustomForm* old = m_activeForm;
    m_activeForm = form;
    m_screen->RaiseForm(form);
    if (m_backend && form->NativeWindow()) m_backend->RaiseWindow(form->NativeWindow());
    if (old) old->SetActiveState(false, form, false);
    // The deactivation handler may have moved the activation on.
    if (m_activeForm == form) form->SetActiveState(true, old, byClick);
}

void TApplication::FormDeactivated(TCustomForm* form) {
    if (form != m_activeForm) return;
    m_activeForm = nullptr;
    form->SetActiveState(false, nullptr, false);
}

void TApplication::FormHidden(TCustomForm* form) {
    if (m_capture && (m_capture == form || form->ContainsControl(m_capture))) SetCaptureControl(nullptr);
    if (m_mouseControl && (m_mouseControl == form || form->ContainsControl(m_mouseControl)))
        UpdateMouseControl(nullptr);
    if (m_tracking.Form == form) m_tracking = TTracking();
    if (form != m_activeForm) return;
    m_activeForm = nullptr;
    form->SetActiveState(false, nullptr, false);
    if (IsDestroying()) return;
    TCustomForm* next = TopModalForm();
    if (next == form || (next && !next->Visible())) next = nullptr;
    if (!next)
        for (TCustomForm* f : m_screen->FormsTopToBottom())
            if (f != form && !f->IsNoActivate()) {
                next = f;
                break;
            }
    if (next) FormActivating(next, false);
}

void TApplication::ControlDestroying(TControl* control) {
    if (m_capture == control) {
        m_capture = nullptr;
        if (m_backend) m_backend->CaptureMouse(0);
    }
    if (m_mouseControl == control) m_mouseControl = nullptr;
    if (m_lastPressControl == control) m_lastPressControl = nullptr;
}

void TApplication::FormDestroying(TCustomForm* form) {
    ControlDestroying(form);
    if (m_tracking.Form == form) m_tracking = TTracking();
    std::erase(m_modalStack, form);
    if (m_mainForm == form) m_mainForm = nullptr;
    if (m_activeForm == form) {
        m_activeForm = nullptr;
        // While the application itself ends, no other form is activated.
        if (IsDestroying()) return;
        for (TCustomForm* f : m_screen->FormsTopToBottom())
            if (f != form && !f->IsNoActivate() && !f->IsDestroying()) {
                FormActivating(f, false);
                break;
            }
    }
}

void TApplication::PushModal(TCustomForm* form) {
    m_modalStack.push_back(form);
}

void TApplication::PopModal(TCustomForm* form) {
    std::erase(m_modalStack, form);
}

// A press on a form below the modal one: the window system may have handed that form the
// focus without telling, so the modal form takes it back even when it is still active.
void TApplication::KeepModalActive() {
    TCustomForm* modal = TopModalForm();
    if (!modal) return;
    if (modal != m_activeForm) {
        FormActivating(modal, true);
        return;
    }
    m_screen->RaiseForm(modal);
    if (m_backend && modal->NativeWindow()) m_backend->RaiseWindow(modal->NativeWindow());
}

bool TApplication::FormTakesInput(TCustomForm* form) const {
    TCustomForm* modal = TopModalForm();
    if (!modal || form == modal || form->IsNoActivate()) return true;
    return false;
}

void TApplication::SetCaptureControl(TControl* control) {
    if (control == m_capture) return;
    TControl* old = m_capture;
    m_capture = control;
    if (m_backend) {
        TCustomForm* form = control ? control->ParentForm() : nullptr;
        m_backend->CaptureMouse(form ? form->NativeWindow() : 0);
    }
    if (old) {
        THandle h = 0;
        if (control && control->IsWindowed()) h = static_cast<TWinControl*>(control)->WindowHandle();
        old->Perform(WM_CAPTURECHANGED, 0, TLParam(h));
    }
}

// --- input pipeline ---

void TApplication::HandleBackendEvent(const TBackendEvent& e) {
    switch (e.Kind) {
    case TBackendEventKind::MouseMove:
    case TBackendEventKind::MouseDown:
    case TBackendEventKind::MouseUp:
    case TBackendEventKind::MouseWheel:
        m_shift = (m_shift & ~(ssShift | ssCtrl | ssAlt)) | (e.Shift & (ssShift | ssCtrl | ssAlt));
        HandleMouse(e);
        break;
    case TBackendEventKind::KeyDown:
    case TBackendEventKind::KeyUp:
        m_shift = (m_shift & (ssLeft | ssRight | ssMiddle)) | (e.Shift & (ssShift | ssCtrl | ssAlt));
        HandleKey(e);
        break;
    case TBackendEventKind::Text:
        HandleText(e);
        break;
    case TBackendEventKind::CloseRequest:
        if (TCustomForm* f = FormOfNative(e.Window); f && FormTakesInput(f))
            f->Perform(WM_SYSCOMMAND, SC_CLOSE);
        break;
    case TBackendEventKind::Activate:
        if (TCustomForm* f = FormOfNative(e.Window)) FormActivating(f, false);
        break;
    case TBackendEventKind::Deactivate:
        if (TCustomForm* f = FormOfNative(e.Window)) FormDeactivated(f);
        break;
    case TBackendEventKind::ScreenResized:
        if (m_backend) m_screen->SetSize(m_backend->ScreenSize());
        for (TCustomForm* f : std::vector<TCustomForm*>(m_screen->Forms()))
            f->ScreenResized(m_screen->Size());
        break;
    case TBackendEventKind::Expose:
        if (TCustomForm* f = FormOfNative(e.Window)) f->RequestPresent();
        break;
    }
}

TCustomForm* TApplication::FormOfNative(TNativeWindowId id) const {
    if (id == 0) return nullptr;
    for (TCustomForm* f : m_screen->Forms())
        if (f->NativeWindow() == id) return f;
    return nullptr;
}

TCustomForm* TApplication::FormAt(TPoint screenPos, TNativeWindowId hint) const {
    auto inside = [&](TCustomForm* f) {
        if (!f->Visible() || !f->ScreenRect().Contains(screenPos)) return false;
        const auto& rgn = f->WindowRgn();
        return !rgn || rgn->Contains({screenPos.X - f->Left(), screenPos.Y - f->Top()});
    };
    if (TCustomForm* f = FormOfNative(hint); f && inside(f)) return f;
    for (TCustomForm* f : m_screen->FormsTopToBottom())
        if (inside(f)) return f;
    return nullptr;
}

TControl* TApplication::ClientControlAt(TCustomForm* form, TPoint screenPos) const {
    TWinControl* w = form;
    for (;;) {
        TPoint p = w->ScreenToClient(screenPos);
        if (!w->ClientRect().Contains(p)) return w;
        TControl* found = nullptr;
        const auto& list = w->ControlList();
        for (auto it = list.rbegin(); it != list.rend(); ++it) {
            TControl* c = *it;
            if (!c->Visible() || !c->BoundsRect().Contains(p)) continue;
            TPoint local{p.X - c->Left(), p.Y - c->Top()};
            if (c->IsWindowed()) {
                auto* cw = static_cast<TWinControl*>(c);
                if (cw->WindowRgn() && !cw->WindowRgn()->Contains(local)) continue;
                if (cw->Perform(WM_NCHITTEST, 0, MakeLParam(screenPos.X, screenPos.Y)) == HTTRANSPARENT)
                    continue;
                // A disabled window takes the mouse and does nothing with it.
                if (!cw->Enabled()) return nullptr;
                found = c;
                break;
            }
            // A disabled windowless control lets its parent have the mouse.
            if (!c->Enabled()) continue;
            TPoint clientLocal = c->ScreenToClient(screenPos);
            if (c->Perform(CM_HITTEST, 0, MakeLParam(clientLocal.X, clientLocal.Y)) == 0) continue;
            return c;
        }
        if (!found) return w;
        w = static_cast<TWinControl*>(found);
    }
}

void TApplication::UpdateMouseControl(TControl* control) {
    if (control == m_mouseControl) return;
    TControl* old = m_mouseControl;
    m_mouseControl = control;
    if (old) old->Perform(CM_MOUSELEAVE);
    // The leave handler may have destroyed or replaced the new control.
    if (control && m_mouseControl == control) control->Perform(CM_MOUSEENTER);
}

TWParam TApplication::MouseKeys() const {
    TWParam k = 0;
    if (m_heldButtons & ssLeft) k |= MK_LBUTTON;
    if (m_heldButtons & ssRight) k |= MK_RBUTTON;
    if (m_heldButtons & ssMiddle) k |= MK_MBUTTON;
    if (m_shift & ssShift) k |= MK_SHIFT;
    if (m_shift & ssCtrl) k |= MK_CONTROL;
    return k;
}

void TApplication::SendClientMouse(TControl* target, std::uint32_t msg, TWParam keys, TPoint screenPos,
                                   int wheel) {
    if (msg == WM_MOUSEWHEEL) {
        target->Perform(msg, MakeWParam(std::uint16_t(keys), std::uint16_t(std::int16_t(wheel))),
                        MakeLParam(screenPos.X, screenPos.Y));
        return;
    }
    TPoint c = target->ScreenToClient(screenPos);
    target->Perform(msg, keys, MakeLParam(c.X, c.Y));
}

void TApplication::HandleMouse(const TBackendEvent& e) {
    m_mousePos = e.ScreenPos;
    bool down = e.Kind == TBackendEventKind::MouseDown;
    bool up = e.Kind == TBackendEventKind::MouseUp;
    if (down) m_heldButtons |= ButtonBit(e.Button);
    if (up) m_heldButtons &= ~ButtonBit(e.Button);
    m_shift = (m_shift & ~(ssLeft | ssRight | ssMiddle)) | m_heldButtons;

    if (m_tracking.Mode != TTrackMode::None) {
        HandleTracking(e);
        return;
    }

    static constexpr std::uint32_t downMsg[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr std::uint32_t upMsg[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static constexpr std::uint32_t dblMsg[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
    int bi = int(e.Button);

    TCustomForm* form = FormAt(e.ScreenPos, e.Window);
    if (form && !FormTakesInput(form)) {
        if (down) KeepModalActive();
        form = nullptr;
    }
    TControl* target = nullptr;
    int hit = HTNOWHERE;
    if (form) {
        hit = int(form->Perform(WM_NCHITTEST, 0, MakeLParam(e.ScreenPos.X, e.ScreenPos.Y)));
        if (hit == HTCLIENT) target = ClientControlAt(form, e.ScreenPos);
    }
    UpdateMouseControl(target);

    if (m_capture) {
        TControl* c = m_capture;
        std::uint32_t msg = e.Kind == TBackendEventKind::MouseMove    ? WM_MOUSEMOVE
                            : e.Kind == TBackendEventKind::MouseWheel ? WM_MOUSEWHEEL
                            : down                                    ? downMsg[bi]
                                                                      : upMsg[bi];
        SendClientMouse(c, msg, MouseKeys(), e.ScreenPos, e.WheelDelta);
        return;
    }
    if (!form) return;
    if (down && !form->Active() && !form->IsNoActivate()) {
        FormActivating(form, true);
        // Activation handlers may have changed the window tree.
        if (!form->Visible()) return;
        if (hit == HTCLIENT) target = ClientControlAt(form, e.ScreenPos);
        UpdateMouseControl(target);
    }
    if (hit != HTCLIENT) {
        TLParam pos = MakeLParam(e.ScreenPos.X, e.ScreenPos.Y);
        switch (e.Kind) {
        case TBackendEventKind::MouseMove:
            form->Perform(WM_NCMOUSEMOVE, TWParam(hit), pos);
            break;
        case TBackendEventKind::MouseDown:
            form->Perform(e.Button == TMouseButton::mbLeft ? WM_NCLBUTTONDOWN : WM_NCRBUTTONDOWN,
                          TWParam(hit), pos);
            break;
        case TBackendEventKind::MouseUp:
            form->Perform(e.Button == TMouseButton::mbLeft ? WM_NCLBUTTONUP : WM_NCRBUTTONUP, TWParam(hit),
                          pos);
            break;
        default:
            break;
        }
        return;
    }
    if (!target) return;
    switch (e.Kind) {
    case TBackendEventKind::MouseMove:
        SendClientMouse(target, WM_MOUSEMOVE, MouseKeys(), e.ScreenPos);
        break;
    case TBackendEventKind::MouseWheel: {
        TControl* wheelTarget = target;
        if (!wheelTarget->IsWindowed() && wheelTarget->Parent()) wheelTarget = wheelTarget->Parent();
        SendClientMouse(wheelTarget, WM_MOUSEWHEEL, MouseKeys(), e.ScreenPos, e.WheelDelta);
        break;
    }
    case TBackendEventKind::MouseDown: {
        std::uint64_t now = NowMs();
        int tol = GetSystemMetrics(SM_CXDOUBLECLK);
        bool isDouble = target->ControlStyle().Has(TControlStyleFlag::csDoubleClicks) &&
                        !m_lastPressWasDouble && m_lastPressControl == target &&
                        m_lastPressButton == e.Button && now - m_lastPressTime <= DoubleClickTimeMs &&
                        std::abs(e.ScreenPos.X - m_lastPressPos.X) <= tol &&
                        std::abs(e.ScreenPos.Y - m_lastPressPos.Y) <= tol;
        m_lastPressControl = target;
        m_lastPressButton = e.Button;
        m_lastPressTime = now;
        m_lastPressPos = e.ScreenPos;
        m_lastPressWasDouble = isDouble;
        SendClientMouse(target, isDouble ? dblMsg[bi] : downMsg[bi], MouseKeys(), e.ScreenPos);
        break;
    }
    case TBackendEventKind::MouseUp:
        SendClientMouse(target, upMsg[bi], MouseKeys(), e.ScreenPos);
        break;
    default:
        break;
    }
}

void TApplication::BeginFormTracking(TCustomForm* form, int hitCode, TPoint screenPos) {
    m_tracking.Mode = hitCode == HTCAPTION ? TTrackMode::Move : TTrackMode::Size;
    m_tracking.Form = form;
    m_tracking.HitCode = hitCode;
    m_tracking.StartPos = screenPos;
    m_tracking.StartBounds = form->BoundsRect();
    if (m_backend) m_backend->CaptureMouse(form->NativeWindow());
}

void TApplication::BeginNonClientButtonTracking(TCustomForm* form) {
    m_tracking = TTracking();
    m_tracking.Mode = TTrackMode::NonClientButton;
    m_tracking.Form = form;
    if (m_backend) m_backend->CaptureMouse(form->NativeWindow());
}

void TApplication::HandleTracking(const TBackendEvent& e) {
    TCustomForm* form = m_tracking.Form;
    bool up = e.Kind == TBackendEventKind::MouseUp && e.Button == TMouseButton::mbLeft;
    TLParam pos = MakeLParam(e.ScreenPos.X, e.ScreenPos.Y);
    if (m_tracking.Mode == TTrackMode::NonClientButton) {
        int hit = int(form->Perform(WM_NCHITTEST, 0, pos));
        if (e.Kind == TBackendEventKind::MouseMove) form->Perform(WM_NCMOUSEMOVE, TWParam(hit), pos);
        if (up) {
            m_tracking = TTracking();
            if (m_backend) m_backend->CaptureMouse(0);
            form->Perform(WM_NCLBUTTONUP, TWParam(hit), pos);
        }
        return;
    }
    if (e.Kind == TBackendEventKind::MouseMove || up) {
        int dx = e.ScreenPos.X - m_tracking.StartPos.X, dy = e.ScreenPos.Y - m_tracking.StartPos.Y;
        TRect r = m_tracking.StartBounds;
        if (m_tracking.Mode == TTrackMode::Move) {
            r = r.Offset(dx, dy);
        } else {
            int h = m_tracking.HitCode;
            int minW = GetSystemMetrics(SM_CXMINTRACK), minH = GetSystemMetrics(SM_CYMINTRACK);
            if (h == HTLEFT || h == HTTOPLEFT || h == HTBOTTOMLEFT)
                r.Left = std::min(r.Left + dx, r.Right - minW);
            if (h == HTRIGHT || h == HTTOPRIGHT || h == HTBOTTOMRIGHT)
                r.Right = std::max(r.Right + dx, r.Left + minW);
            if (h == HTTOP || h == HTTOPLEFT || h == HTTOPRIGHT)
                r.Top = std::min(r.Top + dy, r.Bottom - minH);
            if (h == HTBOTTOM || h == HTBOTTOMLEFT || h == HTBOTTOMRIGHT)
                r.Bottom = std::max(r.Bottom + dy, r.Top + minH);
        }
        form->SetBoundsRect(r);
    }
    if (up) {
        m_tracking = TTracking();
        if (m_backend) m_backend->CaptureMouse(0);
    }
}

void TApplication::HandleKey(const TBackendEvent& e) {
    TCustomForm* form = m_activeForm;
    if (!form) return;
    TWinControl* target = FocusedControl();
    if (!target) return;
    int key = e.Key;
    TShiftState shift = e.Shift & (ssShift | ssCtrl | ssAlt);
    bool alt = shift & ssAlt, ctrl = shift & ssCtrl;
    TLParam lp = alt ? KF_ALTDOWN_LPARAM : 0;
    if (e.Kind == TBackendEventKind::KeyUp) {
        target->Perform(alt ? WM_SYSKEYUP : WM_KEYUP, TWParam(key), lp);
        return;
    }
    if (!alt && IsDialogKey(key)) {
        TLResult code = target->Perform(WM_GETDLGCODE, TWParam(key));
        bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
        bool wants = (code & DLGC_WANTALLKEYS) || (key == VK_TAB && (code & DLGC_WANTTAB)) ||
                     (arrow && (code & DLGC_WANTARROWS));
        if (!wants && form->Perform(CM_DIALOGKEY, TWParam(key), TLParam(shift)) != 0) return;
    }
    target->Perform(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, TWParam(key), lp);
    // Characters from keys, as the platform translates them.
    TWinControl* now = FocusedControl();
    if (!now) return;
    bool letter = key >= 'A' && key <= 'Z', digit = key >= '0' && key <= '9';
    if (alt && !ctrl && (letter || digit)) {
        now->Perform(WM_SYSCHAR, TWParam(letter ? key + 32 : key), lp);
    } else if (ctrl && !alt && letter) {
        now->Perform(WM_CHAR, TWParam(key - 'A' + 1));
    } else if (!alt && !ctrl && (key == VK_RETURN || key == VK_ESCAPE || key == VK_BACK || key == VK_TAB)) {
        now->Perform(WM_CHAR, TWParam(key));
    }
}

void TApplication::HandleText(const TBackendEvent& e) {
    if (m_shift & (ssCtrl | ssAlt)) return;
    for (char32_t ch : Utf8::Decode(e.Text)) {
        if (ch < 32 || ch == 127) continue;
        TCustomForm* form = m_activeForm;
        TWinControl* target = FocusedControl();
        if (!form || !target) return;
        TLResult code = target->Perform(WM_GETDLGCODE, 0);
        if (!(code & DLGC_WANTCHARS) && form->Perform(CM_DIALOGCHAR, TWParam(ch), TLParam(m_shift)) != 0)
            continue;
        target->Perform(WM_CHAR, TWParam(ch));
    }
}
