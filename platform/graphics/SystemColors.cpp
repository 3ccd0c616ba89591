#include "platform/graphics/SystemColors.h"

#include <array>

namespace {

// The classic desktop scheme, indexed by system colour number.
constexpr std::array<TColor, 31> kClassicScheme = {
    MakeColor(212, 208, 200), // 0 scroll bar
    MakeColor(58, 110, 165),  // 1 desktop background
    MakeColor(10, 36, 106),   // 2 active caption
    MakeColor(128, 128, 128), // 3 inactive caption
    MakeColor(212, 208, 200), // 4 menu
    MakeColor(255, 255, 255), // 5 window
    MakeColor(0, 0, 0),       // 6 window frame
    MakeColor(0, 0, 0),       // 7 menu text
    MakeColor(0, 0, 0),       // 8 window text
    MakeColor(255, 255, 255), // 9 caption text
    MakeColor(212, 208, 200), // 10 active border
    MakeColor(212, 208, 200), // 11 inactive border
    MakeColor(128, 128, 128), // 12 application work space
    MakeColor(10, 36, 106),   // 13 highlight
    MakeColor(255, 255, 255), // 14 highlight text
    MakeColor(212, 208, 200), // 15 button face
    MakeColor(128, 128, 128), // 16 button shadow
    MakeColor(128, 128, 128), // 17 gray text
    MakeColor(0, 0, 0),       // 18 button text
    MakeColor(212, 208, 200), // 19 inactive caption text
    MakeColor(255, 255, 255), // 20 button highlight
    MakeColor(64, 64, 64),    // 21 3D dark shadow
    MakeColor(212, 208, 200), // 22 3D light
    MakeColor(0, 0, 0),       // 23 info text
    MakeColor(255, 255, 225), // 24 info background
    MakeColor(0, 0, 0),       // 25 unused
    MakeColor(0, 0, 128),     // 26 hot-tracked item
    MakeColor(166, 202, 240), // 27 gradient active caption
    MakeColor(192, 192, 192), // 28 gradient inactive caption
    MakeColor(10, 36, 106),   // 29 menu highlight
    MakeColor(212, 208, 200), // 30 menu bar
};

} // namespace

TColor GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(kClassicScheme.size())) return clBlack;
    return kClassicScheme[static_cast<std::size_t>(index)];
}

TColor ColorToRGB(TColor c) {
    if (IsSystemColor(c)) return GetSysColor(static_cast<int>(c & 0xFF));
    return c;
}
