#pragma once

#include <map>
#include <memory>
#include <thread>

#include "platform/backends/sdl/TSdlPresenter.h"
#include "platform/toolkit/TBackend.h"

struct SDL_Window;
class TX11Desktop;
union SDL_Event;

// Real windows through SDL2: one borderless window per top-level form, whose frame and title
// bar the toolkit draws itself. Caption dragging is done by the toolkit: it captures the
// mouse and moves the window with SetWindowBounds, and while the mouse is captured this
// backend reports the pointer's true screen position, so the moving window does not feed
// back into the drag. On X11 that position comes from each X motion event itself: SDL drops
// a motion whose position relative to the window is unchanged, which is every other step of
// a drag moved by absolute pointer positions, and its global pointer state lags. WaitEvents sleeps in
// SDL_WaitEventTimeout until an event or the next timer; Wake pushes a user event.
class TSdlBackend : public TBackend {
public:
    // Starts SDL's video subsystem; null, with the reason in error, when there is no display.
    static std::unique_ptr<TSdlBackend> Create(std::string& error);
    ~TSdlBackend() override;
    TSdlBackend(const TSdlBackend&) = delete;
    TSdlBackend& operator=(const TSdlBackend&) = delete;

    std::string Name() const override { return "sdl"; }
    TSize ScreenSize() const override;
    TNativeWindowId CreateWindow(const TRect& screenBounds, const std::string& title,
                                 TNativeWindowStyle style) override;
    void DestroyWindow(TNativeWindowId id) override;
    void SetWindowBounds(TNativeWindowId id, const TRect& screenBounds) override;
    void SetWindowTitle(TNativeWindowId id, const std::string& title) override;
    void ShowWindow(TNativeWindowId id, bool visible) override;
    void RaiseWindow(TNativeWindowId id) override;
    void Present(TNativeWindowId id, const TBitmap& picture) override;
    // Copies only the damaged part of the surface to the window.
    using TBackend::PresentSurface;
    void PresentSurface(TNativeWindowId id, const std::shared_ptr<const TBitmap>& surface,
                        const TRegion& damaged) override;
    void SetIcon(const TBitmap& icon) override;
    void SetWindowOwner(TNativeWindowId id, TNativeWindowId owner, bool modal) override;
    void CaptureMouse(TNativeWindowId id) override;
    void Beep() override;
    std::uint64_t NowMs() const override;
    std::vector<TBackendEvent> WaitEvents(std::optional<std::uint64_t> deadlineMs) override;
    void Wake() override;

private:
    TSdlBackend(std::uint32_t wakeEventType);
    SDL_Window* FindWindow(TNativeWindowId id) const;
    TSdlPresenter* PresenterOf(TNativeWindowId id);
    TPoint ToScreen(TNativeWindowId id, int x, int y) const;
    TPoint GlobalMouse() const;
    void Translate(const SDL_Event& event, std::vector<TBackendEvent>& out);
    void ReportFocusChange(std::vector<TBackendEvent>& out);
    void ApplyIcon(SDL_Window* window) const;

    std::uint32_t m_wakeEventType;
    // The user-interface thread, and a wake asked for on it while it was not waiting.
    std::thread::id m_uiThread = std::this_thread::get_id();
    bool m_wakePending = false;
    std::map<TNativeWindowId, SDL_Window*> m_windows;
    // How each window that was presented shows its pictures.
    std::map<TNativeWindowId, TSdlPresenter> m_presenters;
    TNativeWindowId m_capture = 0;
    // The window of ours that had the window system's focus at the last report (0: none).
    TNativeWindowId m_focusWindow = 0;
    bool m_focusMayHaveChanged = false;
    // SDL's X display, found with the first window; null on other video drivers.
    std::unique_ptr<TX11Desktop> m_x11;
    bool m_x11Sought = false;
    TBitmap m_icon;
};
