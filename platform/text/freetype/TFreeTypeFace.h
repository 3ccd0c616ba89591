#pragma once

#include <memory>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/text/TFontFace.h"
#include "platform/text/TGlyphCache.h"

struct hb_font_t;
struct hb_buffer_t;

// One fixed size of a bitmap-only font: its strike index, cell height and ascent in pixels.
struct TFontStrike {
    int Index = 0;
    int Height = 0;
    int Ascent = 0;
};

// One font file opened at one pixel size, with its HarfBuzz font and a cache of rendered
// glyphs: a scalable face drawn antialiased from its outlines, or one strike of a bitmap font
// drawn as whole pixels. Not thread-safe: the font library hands faces out under its lock.
class TFreeTypeFace final : public TFontFace {
public:
    // Returns nullptr when the file cannot be opened as a scalable font. A negative height
    // is the em height in pixels, a positive one the cell height. Bold and italic that the
    // face itself lacks are made up.
    static std::unique_ptr<TFreeTypeFace> Open(FT_Library library, const std::string& path, int faceIndex,
                                               int height, TFontStyles styles);
    // The strikes of a bitmap-only font file, smallest first; empty for any other file.
    static std::vector<TFontStrike> Strikes(FT_Library library, const std::string& path, int faceIndex);
    // Opens one strike of a bitmap-only font. The em height of a strike is its ascent: the
    // system's bitmap font keeps its internal leading equal to its descent (8 point: 13-pixel
    // cell, 11 above the baseline). Bold is made up by widening every glyph by one pixel, as
    // the platform does for bitmap fonts, italic by shifting rows; both stay whole pixels.
    static std::unique_ptr<TFreeTypeFace> OpenStrike(FT_Library library, const std::string& path,
                                                     int faceIndex, const TFontStrike& strike,
                                                     TFontStyles styles);
    ~TFreeTypeFace() override;

    const TFontMetrics& Metrics() const override { return m_metrics; }
    TFontSynthesis Synthesis() const override { return m_synthesis; }
    std::vector<TShapedGlyph> Shape(std::u32string_view text) override;
    const TGlyphImage& Glyph(std::uint32_t index) override;
    bool HasGlyphFor(char32_t c) const override;
    bool IsStrike() const override { return m_isStrike; }
    // The family name the file itself gives.
    std::string FamilyName() const override;

private:
    TFreeTypeFace() = default;
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
    TGlyphCache m_glyphs;
};
