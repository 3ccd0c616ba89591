#pragma once

#include <atomic>
#include <functional>

#include "platform/backends/headless/TEventQueue.h"
#include "platform/backends/headless/TVirtualClock.h"
#include "platform/backends/headless/TVirtualScreen.h"
#include "platform/toolkit/TBackend.h"

// A complete backend without a display: a virtual screen that keeps every window's last
// picture, a virtual clock that moves only when told, and input injected by a script or a
// test. WaitEvents never waits: when nothing is pending it asks the idle handler (the script
// driver) for more work and returns what that produced.
class THeadlessBackend : public TBackend {
public:
    // Called when the toolkit is idle and would wait; deadlineMs is its next timer.
    using TIdleHandler = std::function<void(std::optional<std::uint64_t> deadlineMs)>;

    static constexpr TSize DefaultScreenSize{1920, 1080};
    // The largest side a script or QUIBBLETON_SCREEN may ask for; a screenshot of the largest
    // screen takes 192 MiB.
    static constexpr int MaxScreenSide = 8192;

    explicit THeadlessBackend(TSize screenSize = DefaultScreenSize);

    std::string Name() const override { return "headless"; }
    TSize ScreenSize() const override { return m_screen.Size(); }
    TNativeWindowId CreateWindow(const TRect& screenBounds, const std::string& title,
                                 TNativeWindowStyle style) override;
    void DestroyWindow(TNativeWindowId id) override;
    void SetWindowBounds(TNativeWindowId id, const TRect& screenBounds) override;
    void SetWindowTitle(TNativeWindowId id, const std::string& title) override;
    void ShowWindow(TNativeWindowId id, bool visible) override;
    void RaiseWindow(TNativeWindowId id) override;
    void Present(TNativeWindowId id, const TBitmap& picture) override;
    // Keeps a share of the surface: nothing is copied.
    using TBackend::PresentSurface;
    void PresentSurface(TNativeWindowId id, const std::shared_ptr<const TBitmap>& surface,
                        const TRegion& damaged) override;
    void SetWindowOwner(TNativeWindowId id, TNativeWindowId owner, bool modal) override;
    void CaptureMouse(TNativeWindowId id) override;
    std::uint64_t NowMs() const override { return m_clock.NowMs(); }
    // Nothing waits: the virtual clock moves on by ms. The observer, when set, sees each sleep
    // first, while the screen still shows what was presented before it.
    void Sleep(unsigned ms) override {
        if (m_sleepObserver) m_sleepObserver(ms);
        m_clock.AdvanceBy(ms);
    }
    void SetSleepObserver(std::function<void(unsigned ms)> observer) {
        m_sleepObserver = std::move(observer);
    }
    std::vector<TBackendEvent> WaitEvents(std::optional<std::uint64_t> deadlineMs) override;
    void Wake() override { m_woken = true; }
    // Nothing sounds; the warning sounds asked for are counted.
    void Beep() override { ++m_beeps; }
    std::uint64_t Beeps() const { return m_beeps; }
    // What is already queued; never asks the idle handler for more.
    std::vector<TBackendEvent> PollEvents() override;

    void SetIdleHandler(TIdleHandler handler) { m_idleHandler = std::move(handler); }

    const TVirtualScreen& Screen() const { return m_screen; }
    TVirtualClock& Clock() { return m_clock; }
    TNativeWindowId ActiveWindow() const { return m_active; }
    TPoint MousePos() const { return m_mousePos; }
    std::uint64_t PresentCount() const { return m_presentCount; }
    // The part of the surface that the last present of a surface said had changed.
    const TRegion& LastDamage() const { return m_lastDamage; }

    // Input, as a user at the virtual screen would give it. Mouse positions are screen
    // coordinates; mouse events go to the capturing window or else the window under the
    // pointer (0 over the bare desktop); key and text events go to the active window.
    void ResizeScreen(TSize size);
    void MoveMouse(TPoint screenPos);
    // A press on an inactive window activates and raises it first, as a window manager does.
    void PressMouse(TPoint screenPos, TMouseButton button);
    void ReleaseMouse(TPoint screenPos, TMouseButton button);
    void TurnWheel(TPoint screenPos, int delta);
    // Modifier keys (Shift, Control, Menu) also change the shift state of later events.
    void PressKey(int virtualKey);
    void ReleaseKey(int virtualKey);
    // One Text event per character (UTF-8 sequence) of the text.
    void TypeText(const std::string& text);
    // An event exactly as given, for a test that needs one the calls above do not make.
    void PostEvent(TBackendEvent event) { m_queue.Push(std::move(event)); }

private:
    std::uint64_t m_beeps = 0;
    TNativeWindowId MouseTarget(TPoint screenPos) const;
    void PushMouse(TBackendEventKind kind, TPoint screenPos, TMouseButton button, int wheelDelta);
    void Activate(TNativeWindowId id);

    TVirtualScreen m_screen;
    std::function<void(unsigned ms)> m_sleepObserver;
    TVirtualClock m_clock;
    TEventQueue m_queue;
    TIdleHandler m_idleHandler;
    bool m_inIdleHandler = false;
    std::atomic<bool> m_woken{false};
    TNativeWindowId m_active = 0;
    TNativeWindowId m_capture = 0;
    TPoint m_mousePos;
    std::uint32_t m_shift = 0;
    std::uint64_t m_presentCount = 0;
    TRegion m_lastDamage;
};
