#pragma once

#include <cstdint>

#include "platform/toolkit/TBackend.h"

// The Win32 styles of a form's window. The toolkit draws the whole outer area itself, the
// skinned frame included, so every window is a bare popup. A window that belongs to no other
// (the main screen, a dialog started on its own) is the program's button on the taskbar; an
// owned one (a modal dialog, a drop-down list) stays off it and above its owner.
struct TWin32WindowStyle {
    std::uint32_t Style = 0;
    std::uint32_t ExStyle = 0;
    friend bool operator==(const TWin32WindowStyle&, const TWin32WindowStyle&) = default;
};

TWin32WindowStyle ChooseWindowStyle(const TNativeWindowStyle& style, bool owned);
