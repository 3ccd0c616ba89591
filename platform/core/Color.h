#pragma once

#include <cstdint>

// A colour is a 32-bit value with red in the low byte, then green, then blue (COLORREF
// order). Values whose top byte is 0xFF are symbolic system colours (see SystemColors.h).
using TColor = std::uint32_t;

constexpr TColor MakeColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr std::uint8_t GetRValue(TColor c) {
    return std::uint8_t(c & 0xFF);
}
constexpr std::uint8_t GetGValue(TColor c) {
    return std::uint8_t((c >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(TColor c) {
    return std::uint8_t((c >> 16) & 0xFF);
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
// Fuchsia marks transparent pixels in skin images and an unknown colour in colour values.
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clNone = 0x1FFFFFFF;
