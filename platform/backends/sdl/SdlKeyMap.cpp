#include "platform/backends/sdl/SdlKeyMap.h"

#include <SDL2/SDL_mouse.h>

#include "platform/backends/VirtualKeys.h"
#include "platform/toolkit/TBackend.h"

int VirtualKeyFromSdl(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return VirtualKey::F1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VirtualKey::Numpad0 + 1 + (key - SDLK_KP_1);
    switch (key) {
    case SDLK_BACKSPACE:
        return VirtualKey::Back;
    case SDLK_TAB:
        return VirtualKey::Tab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VirtualKey::Return;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VirtualKey::Shift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VirtualKey::Control;
    case SDLK_LALT:
    case SDLK_RALT:
        return VirtualKey::Menu;
    case SDLK_PAUSE:
        return VirtualKey::Pause;
    case SDLK_CAPSLOCK:
        return VirtualKey::Capital;
    case SDLK_ESCAPE:
        return VirtualKey::Escape;
    case SDLK_SPACE:
        return VirtualKey::Space;
    case SDLK_PAGEUP:
        return VirtualKey::Prior;
    case SDLK_PAGEDOWN:
        return VirtualKey::Next;
    case SDLK_END:
        return VirtualKey::End;
    case SDLK_HOME:
        return VirtualKey::Home;
    case SDLK_LEFT:
        return VirtualKey::Left;
    case SDLK_UP:
        return VirtualKey::Up;
    case SDLK_RIGHT:
        return VirtualKey::Right;
    case SDLK_DOWN:
        return VirtualKey::Down;
    case SDLK_INSERT:
        return VirtualKey::Insert;
    case SDLK_DELETE:
        return VirtualKey::Delete;
    case SDLK_APPLICATION:
        return VirtualKey::Apps;
    case SDLK_KP_0:
        return VirtualKey::Numpad0;
    case SDLK_KP_MULTIPLY:
        return VirtualKey::Multiply;
    case SDLK_KP_PLUS:
        return VirtualKey::Add;
    case SDLK_KP_MINUS:
        return VirtualKey::Subtract;
    case SDLK_KP_PERIOD:
        return VirtualKey::Decimal;
    case SDLK_KP_DIVIDE:
        return VirtualKey::Divide;
    case SDLK_NUMLOCKCLEAR:
        return VirtualKey::NumLock;
    case SDLK_SCROLLLOCK:
        return VirtualKey::Scroll;
    case SDLK_SEMICOLON:
        return VirtualKey::Oem1;
    case SDLK_EQUALS:
        return VirtualKey::OemPlus;
    case SDLK_COMMA:
        return VirtualKey::OemComma;
    case SDLK_MINUS:
        return VirtualKey::OemMinus;
    case SDLK_PERIOD:
        return VirtualKey::OemPeriod;
    case SDLK_SLASH:
        return VirtualKey::Oem2;
    case SDLK_BACKQUOTE:
        return VirtualKey::Oem3;
    case SDLK_LEFTBRACKET:
        return VirtualKey::Oem4;
    case SDLK_BACKSLASH:
        return VirtualKey::Oem5;
    case SDLK_RIGHTBRACKET:
        return VirtualKey::Oem6;
    case SDLK_QUOTE:
        return VirtualKey::Oem7;
    default:
        return 0;
    }
}

std::uint32_t ShiftFromSdlModifiers(std::uint16_t modifiers) {
    std::uint32_t shift = 0;
    if (modifiers & KMOD_SHIFT) shift |= ssShift;
    if (modifiers & KMOD_CTRL) shift |= ssCtrl;
    if (modifiers & KMOD_ALT) shift |= ssAlt;
    return shift;
}

std::uint32_t ShiftFromSdlButtons(std::uint32_t buttons) {
    std::uint32_t shift = 0;
    if (buttons & SDL_BUTTON_LMASK) shift |= ssLeft;
    if (buttons & SDL_BUTTON_RMASK) shift |= ssRight;
    if (buttons & SDL_BUTTON_MMASK) shift |= ssMiddle;
    return shift;
}
