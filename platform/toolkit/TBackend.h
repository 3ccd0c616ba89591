#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TRegion.h"

// The narrow interface between the window toolkit and a display: real windows (SDL2) or a
// virtual screen driven by a script (headless). The toolkit composes every top-level window
// off screen into one bitmap and hands it over with Present; the backend only shows bitmaps
// and reports input, in screen coordinates.

using TNativeWindowId = std::uint32_t;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

enum class TBackendEventKind {
    MouseMove,
    MouseDown,
    MouseUp,
    MouseWheel,
    KeyDown,
    KeyUp,
    Text,         // typed characters, UTF-8 in Text
    CloseRequest, // the user asked to close the window (title-bar button of a managed frame, Alt+F4)
    Activate,
    Deactivate,
    ScreenResized,
    Expose, // the window's picture was lost and must be presented again
};
// How the backends report things (both backends keep to this):
// - Mouse events carry the window under the pointer, or the capturing window; Window 0 on a
//   MouseMove means the pointer is over no window of the program (it left them).
// - Text carries printable characters only (what a keyboard types, Space included); Enter,
//   Escape, Tab, Backspace and Ctrl or Alt combinations come as key events alone.
// - Activate and Deactivate report activation changes made outside the toolkit (a click on
//   another window); a backend may also echo a RaiseWindow with an Activate of that window.

// Key codes are the original platform's virtual-key numbers (platform/core/VirtualKeys.h).
enum TShiftBits : std::uint32_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32
};

struct TBackendEvent {
    TBackendEventKind Kind = TBackendEventKind::MouseMove;
    TNativeWindowId Window = 0; // 0: not tied to a window (screen-wide events)
    TPoint ScreenPos;           // mouse events: position on the screen
    TMouseButton Button = TMouseButton::mbLeft;
    int WheelDelta = 0;      // multiples of 120 per notch, positive away from the user
    int Key = 0;             // virtual-key code for key events
    std::uint32_t Shift = 0; // TShiftBits
    std::string Text;
};

struct TNativeWindowStyle {
    bool StayOnTop = false;
    bool Visible = false;
};

class TBackend {
public:
    virtual ~TBackend() = default;

    virtual std::string Name() const = 0;
    virtual TSize ScreenSize() const = 0;

    virtual TNativeWindowId CreateWindow(const TRect& screenBounds, const std::string& title,
                                         TNativeWindowStyle style) = 0;
    virtual void DestroyWindow(TNativeWindowId id) = 0;
    virtual void SetWindowBounds(TNativeWindowId id, const TRect& screenBounds) = 0;
    virtual void SetWindowTitle(TNativeWindowId id, const std::string& title) = 0;
    virtual void ShowWindow(TNativeWindowId id, bool visible) = 0;
    virtual void RaiseWindow(TNativeWindowId id) = 0; // bring to front and activate
    // Shows the window's composed picture (its whole outer area, same size as its bounds).
    virtual void Present(TNativeWindowId id, const TBitmap& picture) = 0;
    // The same for a form's surface, which the toolkit goes on painting into. damaged (in
    // surface coordinates) is what changed since the surface was last presented; the rest of
    // the window already shows it, so a backend may show only the damaged part. A backend that
    // shows pictures without copying them keeps a share of it instead of a copy: the toolkit
    // paints into the surface while composing, and the fades draw their frames into it as a
    // window's own drawing, so the share shows what the window shows.
    virtual void PresentSurface(TNativeWindowId id, const std::shared_ptr<const TBitmap>& surface,
                                const TRegion& damaged) {
        (void)damaged;
        Present(id, *surface);
    }
    // The whole surface.
    void PresentSurface(TNativeWindowId id, const std::shared_ptr<const TBitmap>& surface) {
        PresentSurface(id, surface, TRegion(surface->BoundsRect()));
    }
    // The program's icon for its windows, present and future: a 32-bit bitmap whose fourth
    // byte is each pixel's opacity.
    virtual void SetIcon(const TBitmap& icon) { (void)icon; }
    // The window belongs to owner (0: to none), above which window managers keep it; a modal
    // one is also given the focus whenever its owner would get it.
    virtual void SetWindowOwner(TNativeWindowId id, TNativeWindowId owner, bool modal) {
        (void)id, (void)owner, (void)modal;
    }
    // The mouse is captured to this window (events outside it still reach it); 0 releases.
    virtual void CaptureMouse(TNativeWindowId id) = 0;
    // The system's warning sound for refused input; a backend without one stays silent.
    virtual void Beep() {}

    // Milliseconds on the backend's clock: real monotonic time, or the virtual clock.
    virtual std::uint64_t NowMs() const = 0;
    // Blocks for ms on the backend's clock. Real displays sleep; the headless backend moves
    // its virtual clock on instead.
    virtual void Sleep(unsigned ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    // Waits until an event arrives or the clock reaches deadlineMs (no deadline: wait for an
    // event), then returns all pending events (possibly none). Never spins.
    virtual std::vector<TBackendEvent> WaitEvents(std::optional<std::uint64_t> deadlineMs) = 0;
    // Wakes a WaitEvents that is blocked (posted messages arrived).
    virtual void Wake() = 0;
    // The events already pending, without waiting and without asking for more work (the
    // toolkit's ProcessMessages). The default asks WaitEvents with a deadline of now.
    virtual std::vector<TBackendEvent> PollEvents() { return WaitEvents(NowMs()); }
};
