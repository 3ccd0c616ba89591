#include "platform/backends/sdl/TX11Desktop.h"

#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>

#include <utility>
#include <vector>

#include "platform/backends/sdl/SdlLibrary.h"
#include "platform/backends/sdl/X11Library.h"

namespace {

constexpr long NetWmStateRemove = 0;
constexpr long NetWmStateAdd = 1;
constexpr long FromApplication = 1;

Display* AsDisplay(void* display) {
    return static_cast<Display*>(display);
}

} // namespace

std::unique_ptr<TX11Desktop> TX11Desktop::Attach(SDL_Window* window) {
    const TX11Library* x = OpenX11Library();
    if (!x || !window) return nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!Sdl().GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    Display* display = info.info.x11.display;
    XWindowAttributes attributes;
    if (!x->GetWindowAttributes(display, info.info.x11.window, &attributes)) return nullptr;
    return std::unique_ptr<TX11Desktop>(new TX11Desktop(*x, display, attributes.root));
}

TX11Desktop::TX11Desktop(const TX11Library& x, void* display, TXWindow root)
    : m_x(x), m_display(display), m_root(root),
      m_state(x.InternAtom(AsDisplay(display), "_NET_WM_STATE", False)),
      m_modal(x.InternAtom(AsDisplay(display), "_NET_WM_STATE_MODAL", False)) {}

TX11Desktop::TXWindow TX11Desktop::WindowOf(SDL_Window* window) const {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !Sdl().GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

// The root's structure events tell a change of the screen's size. SDL selects its own events
// on the root anew whenever it makes a window, so this follows each new window; whatever SDL
// selected stays selected.
void TX11Desktop::WatchScreen() {
    Display* display = AsDisplay(m_display);
    XWindowAttributes attributes;
    if (m_x.GetWindowAttributes(display, m_root, &attributes))
        m_x.SelectInput(display, m_root, attributes.your_event_mask | StructureNotifyMask);
}

void TX11Desktop::SetClass(SDL_Window* window) {
    const Window w = WindowOf(window);
    if (!w) return;
    char name[] = "quibbleton";
    XClassHint hint{name, name};
    m_x.SetClassHint(AsDisplay(m_display), w, &hint);
    m_x.Flush(AsDisplay(m_display));
}

void TX11Desktop::SetTitle(SDL_Window* window, const std::string& title) {
    const Window w = WindowOf(window);
    if (!w) return;
    Display* display = AsDisplay(m_display);
    std::string copy = title;
    char* list[] = {copy.data()};
    const std::pair<XICCEncodingStyle, const char*> properties[] = {{XStdICCTextStyle, "WM_NAME"},
                                                                    {XUTF8StringStyle, "_NET_WM_NAME"}};
    for (const auto& [style, name] : properties) {
        XTextProperty text{};
        if (m_x.Utf8TextListToTextProperty(display, list, 1, style, &text) != Success) continue;
        m_x.SetTextProperty(display, w, &text, m_x.InternAtom(display, name, False));
        m_x.Free(text.value);
    }
    m_x.Flush(display);
}

void TX11Desktop::SetOwner(SDL_Window* window, SDL_Window* owner, bool modal) {
    const Window w = WindowOf(window);
    if (!w) return;
    Display* display = AsDisplay(m_display);
    const Window ownerWindow = WindowOf(owner);
    if (ownerWindow)
        m_x.ChangeProperty(display, w, XA_WM_TRANSIENT_FOR, XA_WINDOW, 32, PropModeReplace,
                           reinterpret_cast<const unsigned char*>(&ownerWindow), 1);
    else
        m_x.DeleteProperty(display, w, XA_WM_TRANSIENT_FOR);
    SetModalState(w, modal && ownerWindow);
    m_x.Flush(display);
}

// A window manager reads _NET_WM_STATE when it maps a window and then owns the property: a
// mapped window asks it for the change by a message to the root.
void TX11Desktop::SetModalState(TXWindow window, bool modal) {
    Display* display = AsDisplay(m_display);
    XWindowAttributes attributes;
    if (m_x.GetWindowAttributes(display, window, &attributes) && attributes.map_state != IsUnmapped) {
        XEvent message{};
        message.xclient.type = ClientMessage;
        message.xclient.window = window;
        message.xclient.message_type = m_state;
        message.xclient.format = 32;
        message.xclient.data.l[0] = modal ? NetWmStateAdd : NetWmStateRemove;
        message.xclient.data.l[1] = long(m_modal);
        message.xclient.data.l[3] = FromApplication;
        m_x.SendEvent(display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &message);
        return;
    }
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Atom> states;
    if (m_x.GetWindowProperty(display, window, m_state, 0, 64, False, XA_ATOM, &type, &format, &count, &after,
                              &data) == Success &&
        data) {
        if (format == 32) {
            const auto* atoms = reinterpret_cast<const Atom*>(data);
            states.assign(atoms, atoms + count);
        }
        m_x.Free(data);
    }
    std::erase(states, m_modal);
    if (modal) states.push_back(m_modal);
    m_x.ChangeProperty(display, window, m_state, XA_ATOM, 32, PropModeReplace,
                       reinterpret_cast<const unsigned char*>(states.data()), int(states.size()));
}

void TX11Desktop::Bell() {
    m_x.Bell(AsDisplay(m_display), 0);
    m_x.Flush(AsDisplay(m_display));
}

TPoint TX11Desktop::Pointer() const {
    Window rootReturn = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned mask = 0;
    m_x.QueryPointer(AsDisplay(m_display), m_root, &rootReturn, &child, &x, &y, &windowX, &windowY, &mask);
    return {x, y};
}

TSize TX11Desktop::ScreenSize() const {
    Window rootReturn = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!m_x.GetGeometry(AsDisplay(m_display), m_root, &rootReturn, &x, &y, &width, &height, &border, &depth))
        return {};
    return {int(width), int(height)};
}

TX11Report TX11Desktop::Read(const SDL_SysWMmsg* message) const {
    TX11Report report;
    if (!message || message->subsystem != SDL_SYSWM_X11) return report;
    const XEvent& event = message->msg.x11.event;
    if (event.type == MotionNotify) {
        report.Kind = TX11Report::TKind::PointerMoved;
        report.ScreenPos = {event.xmotion.x_root, event.xmotion.y_root};
    } else if (event.type == ConfigureNotify && event.xconfigure.window == m_root) {
        report.Kind = TX11Report::TKind::ScreenChanged;
    }
    return report;
}
