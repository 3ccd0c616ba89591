#include "platform/backends/win32/Win32Input.h"

#include "platform/toolkit/TBackend.h"

// After the project's headers, whose names some of its macros would replace.
#include <windows.h>

std::uint32_t ShiftFromMouseKeys(std::uint32_t keyFlags, bool altDown) {
    std::uint32_t shift = 0;
    if (keyFlags & MK_SHIFT) shift |= ssShift;
    if (keyFlags & MK_CONTROL) shift |= ssCtrl;
    if (altDown) shift |= ssAlt;
    if (keyFlags & MK_LBUTTON) shift |= ssLeft;
    if (keyFlags & MK_RBUTTON) shift |= ssRight;
    if (keyFlags & MK_MBUTTON) shift |= ssMiddle;
    return shift;
}

std::uint32_t ShiftFromModifiers(const TModifierState& state) {
    std::uint32_t shift = 0;
    if (state.Shift) shift |= ssShift;
    if (state.Ctrl) shift |= ssCtrl;
    if (state.Alt) shift |= ssAlt;
    if (state.LeftButton) shift |= ssLeft;
    if (state.RightButton) shift |= ssRight;
    if (state.MiddleButton) shift |= ssMiddle;
    return shift;
}

int KeyCodeFromMessage(std::uint64_t wParam) {
    const int code = int(wParam & 0xFF);
    if (wParam > 0xFF || code == 0 || code == 0xFF) return 0;
    return code;
}

bool IsCloseShortcut(int keyCode, bool altDown) {
    return altDown && keyCode == VK_F4;
}

int WheelDeltaFromMessage(std::uint64_t wParam) {
    return int(std::int16_t(std::uint16_t((wParam >> 16) & 0xFFFF)));
}
