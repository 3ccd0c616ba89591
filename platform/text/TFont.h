#pragma once

#include <cstdint>
#include <string>

#include "platform/core/Color.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TFontStyles.h"

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
