#include "platform/backends/headless/THeadlessBackend.h"

#include "platform/core/VirtualKeys.h"

namespace {

std::uint32_t ButtonBit(TMouseButton button) {
    switch (button) {
    case TMouseButton::mbLeft:
        return ssLeft;
    case TMouseButton::mbRight:
        return ssRight;
    case TMouseButton::mbMiddle:
        return ssMiddle;
    }
    return 0;
}

std::uint32_t ModifierBit(int virtualKey) {
    switch (virtualKey) {
    case VK_SHIFT:
        return ssShift;
    case VK_CONTROL:
        return ssCtrl;
    case VK_MENU:
        return ssAlt;
    default:
        return 0;
    }
}

// The length of the UTF-8 sequence that starts with this byte; stray bytes count as one.
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

} // namespace

THeadlessBackend::THeadlessBackend(TSize screenSize) : m_screen(screenSize) {}

TNativeWindowId THeadlessBackend::CreateWindow(const TRect& screenBounds, const std::string& title,
                                               TNativeWindowStyle style) {
    return m_screen.Add(screenBounds, title, style);
}

void THeadlessBackend::DestroyWindow(TNativeWindowId id) {
    m_screen.Remove(id);
    if (m_active == id) m_active = 0;
    if (m_capture == id) m_capture = 0;
}

void THeadlessBackend::SetWindowBounds(TNativeWindowId id, const TRect& screenBounds) {
    if (TVirtualWindow* w = m_screen.Find(id)) w->Bounds = screenBounds;
}

void THeadlessBackend::SetWindowTitle(TNativeWindowId id, const std::string& title) {
    if (TVirtualWindow* w = m_screen.Find(id)) w->Title = title;
}

void THeadlessBackend::ShowWindow(TNativeWindowId id, bool visible) {
    TVirtualWindow* w = m_screen.Find(id);
    if (!w) return;
    w->Style.Visible = visible;
    if (!visible) {
        if (m_active == id) m_active = 0;
        if (m_capture == id) m_capture = 0;
    }
}

void THeadlessBackend::RaiseWindow(TNativeWindowId id) {
    if (!m_screen.Find(id)) return;
    m_screen.Raise(id);
    m_active = id;
}

void THeadlessBackend::Present(TNativeWindowId id, const TBitmap& picture) {
    if (m_screen.Find(id)) PresentSurface(id, std::make_shared<const TBitmap>(picture));
}

void THeadlessBackend::PresentSurface(TNativeWindowId id, const std::shared_ptr<const TBitmap>& surface,
                                      const TRegion& damaged) {
    TVirtualWindow* w = m_screen.Find(id);
    if (!w || !surface) return;
    m_lastDamage = damaged;
    w->Shown = surface;
    w->HasPicture = true;
    ++w->Presents;
    ++m_presentCount;
}

void THeadlessBackend::SetWindowOwner(TNativeWindowId id, TNativeWindowId owner, bool modal) {
    TVirtualWindow* w = m_screen.Find(id);
    if (!w) return;
    w->Owner = m_screen.Find(owner) ? owner : 0;
    w->Modal = modal && w->Owner;
}

void THeadlessBackend::CaptureMouse(TNativeWindowId id) {
    m_capture = m_screen.Find(id) ? id : 0;
}

std::vector<TBackendEvent> THeadlessBackend::WaitEvents(std::optional<std::uint64_t> deadlineMs) {
    const bool woken = m_woken.exchange(false);
    if (!m_queue.IsEmpty() || woken || m_inIdleHandler) return m_queue.TakeAll();
    // A timer is already due: the toolkit runs it without waiting.
    if (deadlineMs && *deadlineMs <= m_clock.NowMs()) return {};
    if (m_idleHandler) {
        m_inIdleHandler = true;
        try {
            m_idleHandler(deadlineMs);
        } catch (...) {
            m_inIdleHandler = false;
            throw;
        }
        m_inIdleHandler = false;
    }
    return m_queue.TakeAll();
}

std::vector<TBackendEvent> THeadlessBackend::PollEvents() {
    m_woken = false;
    return m_queue.TakeAll();
}

void THeadlessBackend::ResizeScreen(TSize size) {
    m_screen.SetSize(size);
    TBackendEvent event;
    event.Kind = TBackendEventKind::ScreenResized;
    m_queue.Push(event);
}

TNativeWindowId THeadlessBackend::MouseTarget(TPoint screenPos) const {
    return m_capture ? m_capture : m_screen.WindowAt(screenPos);
}

void THeadlessBackend::PushMouse(TBackendEventKind kind, TPoint screenPos, TMouseButton button,
                                 int wheelDelta) {
    TBackendEvent event;
    event.Kind = kind;
    event.Window = MouseTarget(screenPos);
    event.ScreenPos = screenPos;
    event.Button = button;
    event.WheelDelta = wheelDelta;
    event.Shift = m_shift;
    m_queue.Push(event);
}

void THeadlessBackend::Activate(TNativeWindowId id) {
    if (id == m_active) return;
    if (m_active) {
        TBackendEvent event;
        event.Kind = TBackendEventKind::Deactivate;
        event.Window = m_active;
        m_queue.Push(event);
    }
    m_screen.Raise(id);
    m_active = id;
    TBackendEvent event;
    event.Kind = TBackendEventKind::Activate;
    event.Window = id;
    m_queue.Push(event);
}

void THeadlessBackend::MoveMouse(TPoint screenPos) {
    m_mousePos = screenPos;
    PushMouse(TBackendEventKind::MouseMove, screenPos, TMouseButton::mbLeft, 0);
}

void THeadlessBackend::PressMouse(TPoint screenPos, TMouseButton button) {
    if (m_mousePos != screenPos) MoveMouse(screenPos);
    if (const TNativeWindowId target = MouseTarget(screenPos)) Activate(target);
    m_shift |= ButtonBit(button);
    PushMouse(TBackendEventKind::MouseDown, screenPos, button, 0);
}

void THeadlessBackend::ReleaseMouse(TPoint screenPos, TMouseButton button) {
    if (m_mousePos != screenPos) MoveMouse(screenPos);
    m_shift &= ~ButtonBit(button);
    PushMouse(TBackendEventKind::MouseUp, screenPos, button, 0);
}

void THeadlessBackend::TurnWheel(TPoint screenPos, int delta) {
    if (m_mousePos != screenPos) MoveMouse(screenPos);
    PushMouse(TBackendEventKind::MouseWheel, screenPos, TMouseButton::mbLeft, delta);
}

void THeadlessBackend::PressKey(int virtualKey) {
    m_shift |= ModifierBit(virtualKey);
    TBackendEvent event;
    event.Kind = TBackendEventKind::KeyDown;
    event.Window = m_active;
    event.Key = virtualKey;
    event.Shift = m_shift;
    m_queue.Push(event);
}

void THeadlessBackend::ReleaseKey(int virtualKey) {
    m_shift &= ~ModifierBit(virtualKey);
    TBackendEvent event;
    event.Kind = TBackendEventKind::KeyUp;
    event.Window = m_active;
    event.Key = virtualKey;
    event.Shift = m_shift;
    m_queue.Push(event);
}

void THeadlessBackend::TypeText(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
        TBackendEvent event;
        event.Kind = TBackendEventKind::Text;
        event.Window = m_active;
        event.Shift = m_shift;
        event.Text = text.substr(i, length);
        m_queue.Push(event);
        i += length;
    }
}
