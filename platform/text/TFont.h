#pragma once

#include <cstdint>
#include <string>

#include "platform/core/Color.h"
#include "platform/graphics/SystemColors.h"

// Font styles as a small bit set.
enum class TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFontStyles {
    std::uint8_t Bits = 0;
    bool Has(TFontStyle s) const { return (Bits & std::uint8_t(s)) != 0; }
    TFontStyles With(TFontStyle s) const { return {std::uint8_t(Bits | std::uint8_t(s))}; }
    TFontStyles Without(TFontStyle s) const { return {std::uint8_t(Bits & ~std::uint8_t(s))}; }
    friend bool operator==(const TFontStyles&, const TFontStyles&) = default;
};

// A font description in the original platform's terms. A negative Height is the
// character (em) height in pixels, a positive one the cell height (ascent + descent);
// Size is in points at 96 dots per inch (8 point = 11 pixels).
class TFont {
public:
    static constexpr int PixelsPerInch = 96;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    int Height() const { return m_height; }
    void SetHeight(int height) { m_height = height; }
    // Points, rounded as the platform does: -Height * 72 / 96, rounded half away from zero.
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style) { m_style = style; }

    friend bool operator==(const TFont&, const TFont&) = default;

private:
    std::string m_name = "MS Sans Serif";
    int m_height = -11;
    TColor m_color = clWindowText;
    TFontStyles m_style;
};
