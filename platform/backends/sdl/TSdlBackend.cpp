#include "platform/backends/sdl/TSdlBackend.h"

#include <SDL2/SDL.h>

#include <climits>
#include <cstdlib>
#include <utility>

#include "platform/backends/sdl/SdlKeyMap.h"
#include "platform/backends/sdl/SdlLibrary.h"
#include "platform/backends/sdl/TX11Desktop.h"
#include "platform/backends/sdl/X11ErrorFilter.h"

namespace {

TMouseButton ButtonFromSdl(std::uint8_t button) {
    if (button == SDL_BUTTON_RIGHT) return TMouseButton::mbRight;
    if (button == SDL_BUTTON_MIDDLE) return TMouseButton::mbMiddle;
    return TMouseButton::mbLeft;
}

std::uint32_t CurrentShift() {
    return ShiftFromSdlModifiers(std::uint16_t(Sdl().GetModState())) |
           ShiftFromSdlButtons(Sdl().GetMouseState(nullptr, nullptr));
}

} // namespace

std::unique_ptr<TSdlBackend> TSdlBackend::Create(std::string& error) {
    if (!OpenSdlLibrary(error)) return nullptr;
    // Closing the last window is the toolkit's business, not a reason to quit.
    Sdl().SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    Sdl().SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    Sdl().SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // SIGINT and SIGTERM keep their usual effect and end the program.
    Sdl().SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The window surface is the driver's own shared-memory image. A renderer-backed surface
    // would recreate the window on first use, losing its position, and buys nothing for
    // one blit per update.
    Sdl().SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Installed before SDL starts, so that SDL keeps it as the handler it restores when it
    // closes its display connections: errors that arrive only then are filtered too.
    InstallX11ErrorFilter();
    if (Sdl().Init(SDL_INIT_VIDEO) != 0) {
        error = Sdl().GetError();
        return nullptr;
    }
    // Without a display SDL falls back to drivers that show nothing to anyone; those serve
    // only when asked for by name (benchmarks and tests use the dummy driver).
    const std::string driver = Sdl().GetCurrentVideoDriver() ? Sdl().GetCurrentVideoDriver() : "";
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if ((driver == "offscreen" || driver == "dummy") && !(requested && driver == requested)) {
        error = "SDL found only its \"" + driver + "\" video driver";
        Sdl().Quit();
        return nullptr;
    }
    const std::uint32_t wakeEventType = Sdl().RegisterEvents(1);
    if (wakeEventType == std::uint32_t(-1)) {
        error = "no SDL user event is left for waking the message loop";
        Sdl().Quit();
        return nullptr;
    }
    Sdl().StartTextInput();
    // The X events themselves carry what SDL's events lose: the pointer's screen position at
    // every step and the screen's changes of size.
    Sdl().EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    return std::unique_ptr<TSdlBackend>(new TSdlBackend(wakeEventType));
}

TSdlBackend::TSdlBackend(std::uint32_t wakeEventType) : m_wakeEventType(wakeEventType) {}

TSdlBackend::~TSdlBackend() {
    m_presenters.clear(); // while the display is still open
    for (auto& [id, window] : m_windows)
        Sdl().DestroyWindow(window);
    Sdl().Quit();
}

TSize TSdlBackend::ScreenSize() const {
    // SDL keeps the display's size as it was when SDL started.
    if (m_x11)
        if (const TSize size = m_x11->ScreenSize(); size.Width > 0 && size.Height > 0) return size;
    SDL_Rect bounds;
    if (Sdl().GetDisplayBounds(0, &bounds) != 0) return {1024, 768};
    return {bounds.w, bounds.h};
}

SDL_Window* TSdlBackend::FindWindow(TNativeWindowId id) const {
    const auto it = m_windows.find(id);
    return it == m_windows.end() ? nullptr : it->second;
}

TNativeWindowId TSdlBackend::CreateWindow(const TRect& screenBounds, const std::string& title,
                                          TNativeWindowStyle style) {
    std::uint32_t flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (style.StayOnTop) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    SDL_Window* window =
        Sdl().CreateWindow(title.c_str(), screenBounds.Left, screenBounds.Top,
                           std::max(1, screenBounds.Width()), std::max(1, screenBounds.Height()), flags);
    if (!window) return 0;
    const TNativeWindowId id = Sdl().GetWindowID(window);
    m_windows[id] = window;
    if (!std::exchange(m_x11Sought, true)) m_x11 = TX11Desktop::Attach(window);
    if (m_x11) {
        m_x11->WatchScreen();
        m_x11->SetClass(window);
        m_x11->SetTitle(window, title);
    }
    ApplyIcon(window);
    if (style.Visible) Sdl().ShowWindow(window);
    return id;
}

void TSdlBackend::DestroyWindow(TNativeWindowId id) {
    SDL_Window* window = FindWindow(id);
    if (!window) return;
    if (m_capture == id) CaptureMouse(0);
    m_presenters.erase(id);
    Sdl().DestroyWindow(window);
    m_windows.erase(id);
    if (m_focusWindow == id) m_focusWindow = 0;
}

void TSdlBackend::SetWindowBounds(TNativeWindowId id, const TRect& screenBounds) {
    SDL_Window* window = FindWindow(id);
    if (!window) return;
    Sdl().SetWindowPosition(window, screenBounds.Left, screenBounds.Top);
    Sdl().SetWindowSize(window, std::max(1, screenBounds.Width()), std::max(1, screenBounds.Height()));
}

void TSdlBackend::SetWindowTitle(TNativeWindowId id, const std::string& title) {
    SDL_Window* window = FindWindow(id);
    if (!window) return;
    Sdl().SetWindowTitle(window, title.c_str());
    if (m_x11) m_x11->SetTitle(window, title);
}

void TSdlBackend::ShowWindow(TNativeWindowId id, bool visible) {
    SDL_Window* window = FindWindow(id);
    if (!window) return;
    if (visible)
        Sdl().ShowWindow(window);
    else
        Sdl().HideWindow(window);
}

void TSdlBackend::RaiseWindow(TNativeWindowId id) {
    SDL_Window* window = FindWindow(id);
    if (!window) return;
    Sdl().RaiseWindow(window);
    // Without a window manager nobody acts on SDL's activation request.
    Sdl().SetWindowInputFocus(window);
}

void TSdlBackend::SetIcon(const TBitmap& icon) {
    m_icon = icon.PixelFormat() == TPixelFormat::pf32bit && icon.RowStep() > 0 ? icon : TBitmap();
    for (const auto& [id, window] : m_windows)
        ApplyIcon(window);
}

void TSdlBackend::ApplyIcon(SDL_Window* window) const {
    if (m_icon.IsEmpty()) return;
    // Blue, green, red and opacity bytes are one ARGB word each; SDL copies the picture.
    SDL_Surface* surface = Sdl().CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint8_t*>(m_icon.ScanLine(0)), m_icon.Width(), m_icon.Height(), 32,
        int(m_icon.RowStep()), SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    Sdl().SetWindowIcon(window, surface);
    Sdl().FreeSurface(surface);
}

void TSdlBackend::SetWindowOwner(TNativeWindowId id, TNativeWindowId owner, bool modal) {
    if (SDL_Window* window = FindWindow(id); window && m_x11)
        m_x11->SetOwner(window, FindWindow(owner), modal);
}

TSdlPresenter* TSdlBackend::PresenterOf(TNativeWindowId id) {
    SDL_Window* window = FindWindow(id);
    if (!window) return nullptr;
    return &m_presenters.try_emplace(id, window).first->second;
}

void TSdlBackend::Present(TNativeWindowId id, const TBitmap& picture) {
    if (TSdlPresenter* presenter = PresenterOf(id))
        presenter->Present(picture, TRegion(picture.BoundsRect()));
}

void TSdlBackend::PresentSurface(TNativeWindowId id, const std::shared_ptr<const TBitmap>& surface,
                                 const TRegion& damaged) {
    if (!surface) return;
    if (TSdlPresenter* presenter = PresenterOf(id)) presenter->Present(*surface, damaged);
}

void TSdlBackend::Beep() {
    // SDL has no sound of its own for this; the X display rings its bell.
    if (m_x11) m_x11->Bell();
}

void TSdlBackend::CaptureMouse(TNativeWindowId id) {
    if (!FindWindow(id)) id = 0;
    if (id == m_capture) return;
    m_capture = id;
    Sdl().CaptureMouse(id ? SDL_TRUE : SDL_FALSE);
}

std::uint64_t TSdlBackend::NowMs() const {
    return Sdl().GetTicks64();
}

// On the user-interface thread the loop is not waiting, so the next wait just must not block.
// Pushing an event there would make the window system deliver a wake-up message to whichever
// window the last wait was tied to, which may be gone by then (a closed list or message box).
void TSdlBackend::Wake() {
    if (std::this_thread::get_id() == m_uiThread) {
        m_wakePending = true;
        return;
    }
    SDL_Event event{};
    event.type = m_wakeEventType;
    Sdl().PushEvent(&event);
}

TPoint TSdlBackend::ToScreen(TNativeWindowId id, int x, int y) const {
    SDL_Window* window = FindWindow(id);
    if (!window) return GlobalMouse();
    int left = 0, top = 0;
    Sdl().GetWindowPosition(window, &left, &top);
    return {left + x, top + y};
}

TPoint TSdlBackend::GlobalMouse() const {
    if (m_x11) return m_x11->Pointer();
    int x = 0, y = 0;
    Sdl().GetGlobalMouseState(&x, &y);
    return {x, y};
}

std::vector<TBackendEvent> TSdlBackend::WaitEvents(std::optional<std::uint64_t> deadlineMs) {
    std::vector<TBackendEvent> out;
    SDL_Event event;
    const bool mayBlock = !std::exchange(m_wakePending, false);
    if (!Sdl().PollEvent(&event)) {
        if (!mayBlock) return out;
        int received = 0;
        if (deadlineMs) {
            const std::uint64_t now = NowMs();
            if (*deadlineMs <= now) return out;
            received =
                Sdl().WaitEventTimeout(&event, int(std::min<std::uint64_t>(*deadlineMs - now, INT_MAX)));
        } else {
            received = Sdl().WaitEvent(&event);
        }
        if (!received) return out;
    }
    do {
        Translate(event, out);
    } while (Sdl().PollEvent(&event));
    if (m_focusMayHaveChanged) ReportFocusChange(out);
    return out;
}

// The toolkit activates its own windows (on clicks, on showing, through RaiseWindow); the
// window system's focus moving between two of them, to a drop-down list for instance, is
// none of its business. Only the program as a whole losing or regaining the focus is told.
void TSdlBackend::ReportFocusChange(std::vector<TBackendEvent>& out) {
    m_focusMayHaveChanged = false;
    SDL_Window* focus = Sdl().GetKeyboardFocus();
    TNativeWindowId now = focus ? Sdl().GetWindowID(focus) : 0;
    if (!FindWindow(now)) now = 0;
    TBackendEvent e;
    if (m_focusWindow && !now) {
        e.Kind = TBackendEventKind::Deactivate;
        e.Window = m_focusWindow;
        out.push_back(e);
    } else if (!m_focusWindow && now) {
        e.Kind = TBackendEventKind::Activate;
        e.Window = now;
        out.push_back(e);
    }
    m_focusWindow = now;
}

void TSdlBackend::Translate(const SDL_Event& event, std::vector<TBackendEvent>& out) {
    TBackendEvent e;
    switch (event.type) {
    case SDL_MOUSEMOTION:
        // The X motion events themselves tell the drag.
        if (m_capture && m_x11) return;
        e.Kind = TBackendEventKind::MouseMove;
        e.Window = m_capture ? m_capture : event.motion.windowID;
        // While the toolkit drags a window, positions relative to the moving window lag.
        e.ScreenPos =
            m_capture ? GlobalMouse() : ToScreen(event.motion.windowID, event.motion.x, event.motion.y);
        e.Shift = CurrentShift();
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (event.button.button != SDL_BUTTON_LEFT && event.button.button != SDL_BUTTON_RIGHT &&
            event.button.button != SDL_BUTTON_MIDDLE)
            return;
        e.Kind =
            event.type == SDL_MOUSEBUTTONDOWN ? TBackendEventKind::MouseDown : TBackendEventKind::MouseUp;
        e.Window = m_capture ? m_capture : event.button.windowID;
        e.ScreenPos =
            m_capture ? GlobalMouse() : ToScreen(event.button.windowID, event.button.x, event.button.y);
        e.Button = ButtonFromSdl(event.button.button);
        e.Shift = CurrentShift();
        break;
    case SDL_MOUSEWHEEL: {
        const int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        if (notches == 0) return;
        e.Kind = TBackendEventKind::MouseWheel;
        e.Window = m_capture ? m_capture : event.wheel.windowID;
        e.ScreenPos = GlobalMouse();
        e.WheelDelta = notches * 120;
        e.Shift = CurrentShift();
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        e.Kind = event.type == SDL_KEYDOWN ? TBackendEventKind::KeyDown : TBackendEventKind::KeyUp;
        e.Window = event.key.windowID;
        e.Key = VirtualKeyFromSdl(event.key.keysym.sym);
        if (e.Key == 0) return;
        e.Shift = ShiftFromSdlModifiers(event.key.keysym.mod) |
                  ShiftFromSdlButtons(Sdl().GetMouseState(nullptr, nullptr));
        break;
    case SDL_TEXTINPUT:
        e.Kind = TBackendEventKind::Text;
        e.Window = event.text.windowID;
        e.Text = event.text.text;
        e.Shift = CurrentShift();
        break;
    case SDL_WINDOWEVENT:
        e.Window = event.window.windowID;
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            e.Kind = TBackendEventKind::CloseRequest;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            m_focusMayHaveChanged = true;
            return;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED: // the window surface was made anew, empty
            e.Kind = TBackendEventKind::Expose;
            break;
        case SDL_WINDOWEVENT_LEAVE:
            if (m_capture) return;
            // The pointer is over no window of ours now.
            e.Kind = TBackendEventKind::MouseMove;
            e.Window = 0;
            e.ScreenPos = GlobalMouse();
            e.Shift = CurrentShift();
            break;
        default:
            return;
        }
        break;
    case SDL_DISPLAYEVENT:
        e.Kind = TBackendEventKind::ScreenResized;
        break;
    case SDL_SYSWMEVENT: {
        const TX11Report report = m_x11 ? m_x11->Read(event.syswm.msg) : TX11Report();
        if (report.Kind == TX11Report::TKind::PointerMoved && m_capture) {
            e.Kind = TBackendEventKind::MouseMove;
            e.Window = m_capture;
            e.ScreenPos = report.ScreenPos;
            e.Shift = CurrentShift();
        } else if (report.Kind == TX11Report::TKind::ScreenChanged) {
            e.Kind = TBackendEventKind::ScreenResized;
        } else {
            return;
        }
        break;
    }
    default:
        return; // the wake event and everything the toolkit does not use
    }
    out.push_back(std::move(e));
}
