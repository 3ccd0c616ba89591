#include "platform/backends/win32/TWin32Backend.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "platform/backends/PresentRects.h"
#include "platform/backends/win32/Win32Input.h"
#include "platform/backends/win32/Win32WindowStyle.h"
#include "platform/core/win32/WideText.h"

// The toolkit's interface names its own operations after the windows they stand for.
#undef CreateWindow

namespace {

const wchar_t* const WindowClassName = L"QuibbletonWindow";

bool KeyHeld(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

bool AltHeld() {
    return KeyHeld(VK_MENU);
}

TModifierState CurrentModifiers() {
    TModifierState state;
    state.Shift = KeyHeld(VK_SHIFT);
    state.Ctrl = KeyHeld(VK_CONTROL);
    state.Alt = AltHeld();
    state.LeftButton = KeyHeld(VK_LBUTTON);
    state.RightButton = KeyHeld(VK_RBUTTON);
    state.MiddleButton = KeyHeld(VK_MBUTTON);
    return state;
}

// A bitmap the device copy takes as it is: 24- or 32-bit rows stored top-down.
bool ShowsAsItIs(const TBitmap& picture) {
    return picture.PixelFormat() != TPixelFormat::pf8bit && picture.RowStep() > 0;
}

void CopyToDevice(HDC device, const TBitmap& picture, const RECT& area) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = -picture.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(picture.BytesPerPixel() * 8);
    info.bmiHeader.biCompression = BI_RGB;
    const int left = std::max<int>(area.left, 0);
    const int top = std::max<int>(area.top, 0);
    const int right = std::min<int>(area.right, picture.Width());
    const int bottom = std::min<int>(area.bottom, picture.Height());
    if (right <= left || bottom <= top) return;
    // With a top-down bitmap the start line counts from the bottom of the picture.
    SetDIBitsToDevice(device, left, top, DWORD(right - left), DWORD(bottom - top), left,
                      picture.Height() - bottom, 0, UINT(picture.Height()), picture.ScanLine(0), &info,
                      DIB_RGB_COLORS);
}

} // namespace

std::unique_ptr<TWin32Backend> TWin32Backend::Create(std::string& error) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = reinterpret_cast<WNDPROC>(&TWin32Backend::WindowProc);
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = WindowClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        error = "the window class could not be registered (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    HANDLE wakeEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!wakeEvent) {
        error = "no event for waking the message loop could be made";
        return nullptr;
    }
    return std::unique_ptr<TWin32Backend>(new TWin32Backend(wakeEvent));
}

TWin32Backend::TWin32Backend(TWin32Handle wakeEvent) : m_wakeEvent(wakeEvent) {}

TWin32Backend::~TWin32Backend() {
    for (auto& [id, window] : m_windows) {
        SetWindowLongPtrW(window.Handle, GWLP_USERDATA, 0);
        ::DestroyWindow(window.Handle);
    }
    CloseHandle(m_wakeEvent);
}

TSize TWin32Backend::ScreenSize() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

TWin32Backend::TWindow* TWin32Backend::Find(TNativeWindowId id) {
    const auto it = m_windows.find(id);
    return it == m_windows.end() ? nullptr : &it->second;
}

TNativeWindowId TWin32Backend::IdOf(HWND window) const {
    const auto it = m_ids.find(window);
    return it == m_ids.end() ? 0 : it->second;
}

TNativeWindowId TWin32Backend::CreateWindow(const TRect& screenBounds, const std::string& title,
                                            TNativeWindowStyle style) {
    const TWin32WindowStyle chosen = ChooseWindowStyle(style, false);
    HWND handle = CreateWindowExW(chosen.ExStyle, WindowClassName, Utf8ToWide(title).c_str(), chosen.Style,
                                  screenBounds.Left, screenBounds.Top, std::max(1, screenBounds.Width()),
                                  std::max(1, screenBounds.Height()), nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!handle) return 0;
    const TNativeWindowId id = m_nextId++;
    m_windows[id].Handle = handle;
    m_ids[handle] = id;
    SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ApplyIcon(handle);
    if (style.Visible) ShowWindow(id, true);
    return id;
}

void TWin32Backend::DestroyWindow(TNativeWindowId id) {
    TWindow* window = Find(id);
    if (!window) return;
    if (m_capture == id) CaptureMouse(0);
    HWND handle = window->Handle;
    m_ids.erase(handle);
    m_windows.erase(id);
    // Destroying sends the window messages (activation of another window among them) that
    // must no longer find it.
    ::DestroyWindow(handle);
}

void TWin32Backend::SetWindowBounds(TNativeWindowId id, const TRect& screenBounds) {
    if (TWindow* window = Find(id))
        SetWindowPos(window->Handle, nullptr, screenBounds.Left, screenBounds.Top,
                     std::max(1, screenBounds.Width()), std::max(1, screenBounds.Height()),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Backend::SetWindowTitle(TNativeWindowId id, const std::string& title) {
    if (TWindow* window = Find(id)) SetWindowTextW(window->Handle, Utf8ToWide(title).c_str());
}

// The toolkit activates its windows itself (RaiseWindow); showing one never takes the focus,
// so a drop-down list leaves its form active.
void TWin32Backend::ShowWindow(TNativeWindowId id, bool visible) {
    if (TWindow* window = Find(id)) ::ShowWindow(window->Handle, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWin32Backend::RaiseWindow(TNativeWindowId id) {
    TWindow* window = Find(id);
    if (!window) return;
    SetWindowPos(window->Handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window->Handle);
    SetActiveWindow(window->Handle);
}

void TWin32Backend::SetIcon(const TBitmap& icon) {
    m_icon = TWin32Icon(icon);
    for (const auto& [id, window] : m_windows)
        ApplyIcon(window.Handle);
}

void TWin32Backend::ApplyIcon(HWND window) const {
    const LPARAM icon = reinterpret_cast<LPARAM>(m_icon.Handle());
    SendMessageW(window, WM_SETICON, ICON_BIG, icon);
    SendMessageW(window, WM_SETICON, ICON_SMALL, icon);
}

// An owned window stays above its owner and off the taskbar, where its owner stands for it.
void TWin32Backend::SetWindowOwner(TNativeWindowId id, TNativeWindowId owner, bool modal) {
    (void)modal;
    TWindow* window = Find(id);
    if (!window) return;
    TWindow* ownerWindow = owner == id ? nullptr : Find(owner);
    SetWindowLongPtrW(window->Handle, GWLP_HWNDPARENT,
                      reinterpret_cast<LONG_PTR>(ownerWindow ? ownerWindow->Handle : nullptr));
    const LONG_PTR exStyle = GetWindowLongPtrW(window->Handle, GWL_EXSTYLE);
    TNativeWindowStyle style;
    style.StayOnTop = (exStyle & WS_EX_TOPMOST) != 0;
    const TWin32WindowStyle chosen = ChooseWindowStyle(style, ownerWindow != nullptr);
    SetWindowLongPtrW(window->Handle, GWL_EXSTYLE,
                      (exStyle & ~LONG_PTR(WS_EX_APPWINDOW | WS_EX_TOPMOST)) | LONG_PTR(chosen.ExStyle));
}

void TWin32Backend::Present(TNativeWindowId id, const TBitmap& picture) {
    if (TWindow* window = Find(id))
        Show(*window, std::make_shared<const TBitmap>(picture), TRegion(picture.BoundsRect()));
}

void TWin32Backend::PresentSurface(TNativeWindowId id, const std::shared_ptr<const TBitmap>& surface,
                                   const TRegion& damaged) {
    TWindow* window = Find(id);
    if (!window || !surface) return;
    Show(*window, surface, damaged);
}

void TWin32Backend::Show(TWindow& window, const std::shared_ptr<const TBitmap>& picture,
                         const TRegion& damaged) {
    const bool whole = window.Shown != picture;
    if (ShowsAsItIs(*picture)) {
        window.Shown = picture;
    } else {
        auto converted = std::make_shared<TBitmap>(*picture);
        converted->SetPixelFormat(TPixelFormat::pf24bit);
        window.Shown = std::move(converted);
    }
    if (whole) {
        InvalidateRect(window.Handle, nullptr, FALSE);
    } else {
        for (const TRect& r : RectsToPresent(damaged, picture->BoundsRect())) {
            const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
            InvalidateRect(window.Handle, &rect, FALSE);
        }
    }
    UpdateWindow(window.Handle);
}

void TWin32Backend::Paint(TNativeWindowId id, TWindow& window) {
    PAINTSTRUCT paint;
    HDC device = BeginPaint(window.Handle, &paint);
    if (!device) return;
    if (window.Shown) {
        CopyToDevice(device, *window.Shown, paint.rcPaint);
        // A window larger than its picture (resized before the next composition) shows black
        // beside it until then.
        RECT client;
        GetClientRect(window.Handle, &client);
        const int width = window.Shown->Width(), height = window.Shown->Height();
        if (client.right > width) {
            const RECT right{width, 0, client.right, client.bottom};
            FillRect(device, &right, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        if (client.bottom > height) {
            const RECT below{0, height, std::min<LONG>(client.right, width), client.bottom};
            FillRect(device, &below, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
    } else {
        Push(TBackendEventKind::Expose, id);
    }
    EndPaint(window.Handle, &paint);
}

void TWin32Backend::Beep() {
    ::MessageBeep(MB_OK);
}

void TWin32Backend::CaptureMouse(TNativeWindowId id) {
    TWindow* window = Find(id);
    if (!window) id = 0;
    if (id == m_capture) return;
    m_capture = id;
    if (window)
        SetCapture(window->Handle);
    else
        ReleaseCapture();
}

std::uint64_t TWin32Backend::NowMs() const {
    return GetTickCount64();
}

void TWin32Backend::Wake() {
    SetEvent(m_wakeEvent);
}

void TWin32Backend::DispatchPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // WM_QUIT is nobody's: the toolkit ends its loop itself.
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::vector<TBackendEvent> TWin32Backend::WaitEvents(std::optional<std::uint64_t> deadlineMs) {
    DispatchPending();
    if (m_pending.empty()) {
        DWORD timeout = INFINITE;
        if (deadlineMs) {
            const std::uint64_t now = NowMs();
            timeout =
                *deadlineMs <= now ? 0 : DWORD(std::min<std::uint64_t>(*deadlineMs - now, INFINITE - 1));
        }
        HANDLE wake = m_wakeEvent;
        if (timeout != 0 && WaitForSingleObject(wake, 0) != WAIT_OBJECT_0 &&
            MsgWaitForMultipleObjectsEx(1, &wake, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
                WAIT_OBJECT_0 + 1)
            DispatchPending();
    }
    return std::exchange(m_pending, {});
}

void TWin32Backend::Push(TBackendEventKind kind, TNativeWindowId id) {
    TBackendEvent e;
    e.Kind = kind;
    e.Window = id;
    m_pending.push_back(std::move(e));
}

void TWin32Backend::PushMouse(TBackendEventKind kind, TNativeWindowId id, HWND window, LPARAM lParam,
                              WPARAM wParam, TMouseButton button) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &point);
    TBackendEvent e;
    e.Kind = kind;
    e.Window = m_capture ? m_capture : id;
    e.ScreenPos = {point.x, point.y};
    e.Button = button;
    e.Shift = ShiftFromMouseKeys(std::uint32_t(GET_KEYSTATE_WPARAM(wParam)), AltHeld());
    m_pending.push_back(std::move(e));
}

// The pointer left a window of ours; moving straight into another one is no leaving.
void TWin32Backend::PushMouseLeave(TNativeWindowId id) {
    if (TWindow* window = Find(id)) window->Tracking = false;
    if (m_capture) return;
    POINT point;
    if (!GetCursorPos(&point)) return;
    if (IdOf(GetAncestor(WindowFromPoint(point), GA_ROOT))) return;
    TBackendEvent e;
    e.Kind = TBackendEventKind::MouseMove;
    e.Window = 0;
    e.ScreenPos = {point.x, point.y};
    e.Shift = ShiftFromModifiers(CurrentModifiers());
    m_pending.push_back(std::move(e));
}

LRESULT CALLBACK TWin32Backend::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* backend = reinterpret_cast<TWin32Backend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!backend) return DefWindowProcW(window, message, wParam, lParam);
    return backend->Handle(window, message, wParam, lParam);
}

LRESULT TWin32Backend::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const TNativeWindowId id = IdOf(window);
    if (!id) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        Paint(id, m_windows[id]);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the picture covers the whole window
    case WM_MOUSEMOVE:
        if (TWindow* w = Find(id); w && !w->Tracking) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
            w->Tracking = TrackMouseEvent(&track) != FALSE;
        }
        PushMouse(TBackendEventKind::MouseMove, id, window, lParam, wParam, TMouseButton::mbLeft);
        return 0;
    case WM_MOUSELEAVE:
        PushMouseLeave(id);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
        const TMouseButton button =
            message == WM_RBUTTONDOWN || message == WM_RBUTTONUP   ? TMouseButton::mbRight
            : message == WM_MBUTTONDOWN || message == WM_MBUTTONUP ? TMouseButton::mbMiddle
                                                                   : TMouseButton::mbLeft;
        PushMouse(down ? TBackendEventKind::MouseDown : TBackendEventKind::MouseUp, id, window, lParam,
                  wParam, button);
        return 0;
    }
    case WM_MOUSEWHEEL: {
        // The wheel goes to the focused window; the toolkit wants the one under the pointer.
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const TNativeWindowId under = IdOf(GetAncestor(WindowFromPoint(point), GA_ROOT));
        TBackendEvent e;
        e.Kind = TBackendEventKind::MouseWheel;
        e.Window = m_capture ? m_capture : under ? under : id;
        e.ScreenPos = {point.x, point.y};
        e.WheelDelta = WheelDeltaFromMessage(wParam);
        e.Shift = ShiftFromMouseKeys(std::uint32_t(GET_KEYSTATE_WPARAM(wParam)), AltHeld());
        if (e.WheelDelta != 0) m_pending.push_back(std::move(e));
        return 0;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: {
        const int key = KeyCodeFromMessage(wParam);
        if (!key) return 0;
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        if (down && IsCloseShortcut(key, AltHeld())) {
            Push(TBackendEventKind::CloseRequest, id);
            return 0;
        }
        TBackendEvent e;
        e.Kind = down ? TBackendEventKind::KeyDown : TBackendEventKind::KeyUp;
        e.Window = id;
        e.Key = key;
        e.Shift = ShiftFromModifiers(CurrentModifiers());
        m_pending.push_back(std::move(e));
        // The system's own handling of Alt and F10 would enter a menu loop of a window that
        // has no menu.
        return 0;
    }
    case WM_CHAR:
        if (std::optional<std::string> text = m_chars.Take(char16_t(wParam))) {
            TBackendEvent e;
            e.Kind = TBackendEventKind::Text;
            e.Window = id;
            e.Text = std::move(*text);
            e.Shift = ShiftFromModifiers(CurrentModifiers());
            m_pending.push_back(std::move(e));
        }
        return 0;
    case WM_SYSCHAR:
        return 0; // Alt combinations come as key events alone
    case WM_CLOSE:
        Push(TBackendEventKind::CloseRequest, id);
        return 0;
    case WM_ACTIVATE: {
        // Only the program as a whole gaining or losing the focus is the toolkit's business;
        // it moves the activation between its own windows itself.
        const TNativeWindowId other = IdOf(reinterpret_cast<HWND>(lParam));
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (!other) Push(TBackendEventKind::Deactivate, id);
        } else if (!other) {
            Push(TBackendEventKind::Activate, id);
        }
        break;
    }
    case WM_CAPTURECHANGED:
        // Another window (or the system) took the mouse away.
        if (m_capture == id && reinterpret_cast<HWND>(lParam) != window) m_capture = 0;
        return 0;
    case WM_DISPLAYCHANGE:
        // Every top-level window hears of it; the toolkit needs it once.
        if (std::none_of(m_pending.begin(), m_pending.end(),
                         [](const TBackendEvent& e) { return e.Kind == TBackendEventKind::ScreenResized; }))
            Push(TBackendEventKind::ScreenResized, 0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
