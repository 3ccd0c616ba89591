#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/core/Geometry.h"

struct SDL_Window;
struct SDL_SysWMmsg;

// What one X event from SDL's connection tells the backend.
struct TX11Report {
    enum class TKind { Nothing, PointerMoved, ScreenChanged };
    TKind Kind = TKind::Nothing;
    TPoint ScreenPos; // PointerMoved: the pointer's position on the screen
};
struct TX11Library;

// What the SDL2 backend tells and asks the X server itself, on SDL's own display connection:
// the window properties window managers and task bars read (class, owner, modal state), and
// the pointer's and the screen's current state, which SDL keeps only as it last saw them.
class TX11Desktop {
public:
    // Null unless SDL shows the window on X11 and the X library is there.
    static std::unique_ptr<TX11Desktop> Attach(SDL_Window* window);

    // Asks for the events that tell a change of the screen's size; call it after SDL made a
    // window.
    void WatchScreen();
    // The class "quibbleton" (name and class), by which window managers group the windows.
    void SetClass(SDL_Window* window);
    // The title in both title properties: WM_NAME as the X library encodes text for
    // every reader (SDL writes it in the C library's locale, which has no Cyrillic in a
    // plain environment) and _NET_WM_NAME as UTF-8.
    void SetTitle(SDL_Window* window, const std::string& title);
    // WM_TRANSIENT_FOR the owner (null: none), and _NET_WM_STATE_MODAL while modal.
    void SetOwner(SDL_Window* window, SDL_Window* owner, bool modal);
    // The display's warning sound, at its base volume.
    void Bell();
    // The pointer's position on the screen now.
    TPoint Pointer() const;
    // The screen's size now.
    TSize ScreenSize() const;
    TX11Report Read(const SDL_SysWMmsg* message) const;

private:
    // X types are kept out of this header: its macros (Expose, None ...) clash with the
    // toolkit's names.
    using TXWindow = unsigned long;
    using TXAtom = unsigned long;
    TX11Desktop(const TX11Library& x, void* display, TXWindow root);
    TXWindow WindowOf(SDL_Window* window) const;
    void SetModalState(TXWindow window, bool modal);

    const TX11Library& m_x;
    void* m_display;
    TXWindow m_root;
    TXAtom m_state;
    TXAtom m_modal;
};
