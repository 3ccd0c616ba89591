#include "platform/backends/win32/Win32WindowStyle.h"

#include <windows.h>

TWin32WindowStyle ChooseWindowStyle(const TNativeWindowStyle& style, bool owned) {
    TWin32WindowStyle chosen;
    chosen.Style = WS_POPUP | WS_CLIPCHILDREN;
    if (!owned) chosen.ExStyle |= WS_EX_APPWINDOW;
    if (style.StayOnTop) chosen.ExStyle |= WS_EX_TOPMOST;
    return chosen;
}
