#pragma once

#include <cstdint>

// The toolkit's view of Win32 input: shift states and key codes from the fields of the
// window messages, kept apart from the window procedure so that they can be tested without a
// display.

// TShiftBits of a mouse message: its key flags (MK_SHIFT, MK_CONTROL, MK_LBUTTON, MK_RBUTTON,
// MK_MBUTTON) and whether Alt is held, which the flags do not carry.
std::uint32_t ShiftFromMouseKeys(std::uint32_t keyFlags, bool altDown);

// What is held while a key message or a wheel turn arrives.
struct TModifierState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    bool LeftButton = false;
    bool RightButton = false;
    bool MiddleButton = false;
};

std::uint32_t ShiftFromModifiers(const TModifierState& state);

// The virtual-key code of WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP (their wParam);
// 0 for the codes that name no key (0 and 255, which some keyboards send for their extra keys).
int KeyCodeFromMessage(std::uint64_t wParam);

// Alt+F4 asks the window to close, as the system's own handling of the key would; it is
// reported as a close request instead of as a key.
bool IsCloseShortcut(int keyCode, bool altDown);

// The wheel's turn from WM_MOUSEWHEEL's wParam: its high word, signed, positive away from the
// user, in multiples of 120 per notch.
int WheelDeltaFromMessage(std::uint64_t wParam);
