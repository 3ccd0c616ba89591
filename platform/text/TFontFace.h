#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/text/TFont.h"

struct hb_font_t;
struct hb_buffer_t;

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

// One fixed size of a bitmap-only font: its strike index, cell height and ascent in pixels.
struct TFontStrike {
    int Index = 0;
    int Height = 0;
    int Ascent = 0;
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

// One font file opened at one pixel size, with its HarfBuzz font and a cache of rendered
// glyphs: a scalable face drawn antialiased from its outlines, or one strike of a bitmap font
// drawn as whole pixels. Not thread-safe: the font library hands faces out under its lock.
class TFontFace {
public:
    // Returns nullptr when the file cannot be opened as a scalable font. A negative height
    // is the em height in pixels, a positive one the cell height. Bold and italic that the
    // face itself lacks are made up.
    static std::unique_ptr<TFontFace> Open(FT_Library library, const std::string& path, int faceIndex,
                                           int height, TFontStyles styles);
    // The strikes of a bitmap-only font file, smallest first; empty for any other file.
    static std::vector<TFontStrike> Strikes(FT_Library library, const std::string& path, int faceIndex);
    // Opens one strike of a bitmap-only font. The em height of a strike is its ascent: the
    // system's bitmap font keeps its internal leading equal to its descent (8 point: 13-pixel
    // cell, 11 above the baseline). Bold is made up by widening every glyph by one pixel, as
    // the platform does for bitmap fonts, italic by shifting rows; both stay whole pixels.
    static std::unique_ptr<TFontFace> OpenStrike(FT_Library library, const std::string& path, int faceIndex,
                                                 const TFontStrike& strike, TFontStyles styles);
    ~TFontFace();
    TFontFace(const TFontFace&) = delete;
    TFontFace& operator=(const TFontFace&) = delete;

    const TFontMetrics& Metrics() const { return m_metrics; }
    TFontSynthesis Synthesis() const { return m_synthesis; }
    std::vector<TShapedGlyph> Shape(std::u32string_view text);
    const TGlyphImage& Glyph(std::uint32_t index);
    bool HasGlyphFor(char32_t c) const;
    bool IsStrike() const { return m_isStrike; }
    // The family name the file itself gives.
    std::string FamilyName() const;

private:
    TFontFace() = default;
    void ComputeMetrics(int height);
    void ComputeStrikeMetrics(const TFontStrike& strike);
    void CreateShaper();
    void CopyBitmap(const FT_Bitmap& bitmap, TGlyphImage& image) const;
    void MakeUpStrikeStyles(TGlyphImage& image) const;

    FT_Face m_face = nullptr;
    hb_font_t* m_hbFont = nullptr;
    hb_buffer_t* m_buffer = nullptr;
    FT_Int32 m_loadFlags = 0;
    bool m_isStrike = false;
    TFontSynthesis m_synthesis;
    TFontMetrics m_metrics;
    FT_Pos m_emboldenStrength = 0;
    int m_emboldenAdvance = 0;
    std::unordered_map<std::uint32_t, TGlyphImage> m_glyphs;
    std::size_t m_glyphBytes = 0;
};
