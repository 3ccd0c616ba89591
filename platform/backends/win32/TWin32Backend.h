#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/backends/win32/TWin32Icon.h"
#include "platform/backends/win32/TWmCharDecoder.h"
#include "platform/toolkit/TBackend.h"

struct HWND__;
using TWin32Handle = void*;

// Real windows through Win32: one bare popup window per top-level form, whose frame and title
// bar the toolkit draws itself. Each window keeps a share of its form's surface and shows it
// with SetDIBitsToDevice when the system asks it to paint; a present only invalidates the
// damaged rectangles and has them painted at once. Input is reported in screen coordinates,
// keys with their own virtual-key codes. WaitEvents sleeps in MsgWaitForMultipleObjectsEx
// until a message, the wake event or the next timer; Wake sets the event, from any thread.
class TWin32Backend : public TBackend {
public:
    // Registers the window class; null, with the reason in error, when that fails.
    static std::unique_ptr<TWin32Backend> Create(std::string& error);
    ~TWin32Backend() override;
    TWin32Backend(const TWin32Backend&) = delete;
    TWin32Backend& operator=(const TWin32Backend&) = delete;

    std::string Name() const override { return "win32"; }
    TSize ScreenSize() const override;
    TNativeWindowId CreateWindow(const TRect& screenBounds, const std::string& title,
                                 TNativeWindowStyle style) override;
    void DestroyWindow(TNativeWindowId id) override;
    void SetWindowBounds(TNativeWindowId id, const TRect& screenBounds) override;
    void SetWindowTitle(TNativeWindowId id, const std::string& title) override;
    void ShowWindow(TNativeWindowId id, bool visible) override;
    void RaiseWindow(TNativeWindowId id) override;
    void Present(TNativeWindowId id, const TBitmap& picture) override;
    // Keeps a share of the surface and repaints only the damaged part of the window.
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
    struct TWindow {
        HWND__* Handle = nullptr;
        // What the window shows: the form's surface, shared, or a copy of a picture.
        std::shared_ptr<const TBitmap> Shown;
        bool Tracking = false; // a leave notice has been asked for
    };

    TWin32Backend(TWin32Handle wakeEvent);
    static std::intptr_t __stdcall WindowProc(HWND__* window, unsigned message, std::uintptr_t wParam,
                                              std::intptr_t lParam);
    std::intptr_t Handle(HWND__* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    void DispatchPending();
    TWindow* Find(TNativeWindowId id);
    TNativeWindowId IdOf(HWND__* window) const;
    void Show(TWindow& window, const std::shared_ptr<const TBitmap>& picture, const TRegion& damaged);
    void Paint(TNativeWindowId id, TWindow& window);
    void PushMouse(TBackendEventKind kind, TNativeWindowId id, HWND__* window, std::intptr_t lParam,
                   std::uintptr_t wParam, TMouseButton button);
    void PushMouseLeave(TNativeWindowId id);
    void Push(TBackendEventKind kind, TNativeWindowId id);
    void ApplyIcon(HWND__* window) const;

    TWin32Handle m_wakeEvent;
    TNativeWindowId m_nextId = 1;
    std::map<TNativeWindowId, TWindow> m_windows;
    std::map<HWND__*, TNativeWindowId> m_ids;
    TNativeWindowId m_capture = 0;
    std::vector<TBackendEvent> m_pending;
    TWmCharDecoder m_chars;
    TWin32Icon m_icon;
};
