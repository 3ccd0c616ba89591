#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/TFontStyles.h"

// Styles a face lacks and that are made up when its glyphs are drawn.
struct TFontSynthesis {
    bool Bold = false;
    bool Italic = false;
};

// Pixel metrics in the platform's terms. Offsets are measured from the baseline, positive
// downwards for the underline and upwards for the strike-out line; each gives the top of its line.
struct TFontMetrics {
    int Ascent = 0;
    int Descent = 0;
    int CellHeight = 0;
    int EmHeight = 0;
    int AveCharWidth = 0;
    int UnderlineOffset = 1;
    int UnderlineThickness = 1;
    int StrikeOutOffset = 3;
    int StrikeOutThickness = 1;
};

// A glyph as coverage, one byte per pixel (a bitmap strike's pixels are 0 or 255), Left and Top placing its
// top-left corner relative to the pen position on the baseline (Top upwards).
struct TGlyphImage {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Coverage;
};

class TFontFace;

// One shaped glyph of Face: Cluster is the index of the first code point it stands for;
// Advance and the offsets are whole pixels.
struct TShapedGlyph {
    TFontFace* Face = nullptr;
    std::uint32_t Index = 0;
    std::uint32_t Cluster = 0;
    int Advance = 0;
    int OffsetX = 0;
    int OffsetY = 0;
};

// One font at one pixel size as the platform's text services open it: metrics, shaping into
// glyphs with whole-pixel advances, and the coverage of each glyph. Not thread-safe: the font
// library hands faces out under its lock.
class TFontFace {
public:
    TFontFace() = default;
    virtual ~TFontFace() = default;
    TFontFace(const TFontFace&) = delete;
    TFontFace& operator=(const TFontFace&) = delete;

    virtual const TFontMetrics& Metrics() const = 0;
    virtual TFontSynthesis Synthesis() const = 0;
    virtual std::vector<TShapedGlyph> Shape(std::u32string_view text) = 0;
    virtual const TGlyphImage& Glyph(std::uint32_t index) = 0;
    virtual bool HasGlyphFor(char32_t c) const = 0;
    // Whether the face is one fixed size of a bitmap font, drawn as whole pixels.
    virtual bool IsStrike() const = 0;
    // The family name of the font actually opened.
    virtual std::string FamilyName() const = 0;
};
