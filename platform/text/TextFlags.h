#pragma once

// Text drawing and measuring flags, with the original platform's bit values.
namespace TextFlags {
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
// Measure only: the rectangle is enlarged (or shrunk) to the text's extent; nothing is drawn.
constexpr unsigned DT_CALCRECT = 0x400;
// "&" is drawn as is instead of underlining the next character.
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
// Underline prefixes are processed but the underline is not drawn.
constexpr unsigned DT_HIDEPREFIX = 0x100000;
} // namespace TextFlags
