#pragma once

#include <cstdint>

// Font styles as a small bit set.
enum class TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFontStyles {
    std::uint8_t Bits = 0;
    bool Has(TFontStyle s) const { return (Bits & std::uint8_t(s)) != 0; }
    TFontStyles With(TFontStyle s) const { return {std::uint8_t(Bits | std::uint8_t(s))}; }
    TFontStyles Without(TFontStyle s) const { return {std::uint8_t(Bits & ~std::uint8_t(s))}; }
    friend bool operator==(const TFontStyles&, const TFontStyles&) = default;
};
