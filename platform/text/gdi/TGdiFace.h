#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/text/TFontFace.h"
#include "platform/text/TGlyphCache.h"

struct HDC__;
struct HFONT__;

// One font as GDI creates it from a logical font, selected into a memory device context of
// its own. Glyph indices are code points: GDI measures and draws characters, so the widths are
// those GDI's own text drawing gives. Scalable glyphs come as GDI's grey-level outlines, a
// bitmap font's glyphs as the pixels GDI draws for them. GDI makes up bold and italic itself.
class TGdiFace final : public TFontFace {
public:
    // LOGFONT character sets: the system's own code page, and Cyrillic.
    static constexpr unsigned char DefaultCharSet = 1;
    static constexpr unsigned char CyrillicCharSet = 204;

    // A negative height is the em height in pixels, a positive one the cell height, zero the
    // system's default. charSet is a LOGFONT character set. Returns nullptr when GDI fails.
    static std::unique_ptr<TGdiFace> Open(const std::string& family, int height, TFontStyles styles,
                                          unsigned char charSet = DefaultCharSet);
    ~TGdiFace() override;

    const TFontMetrics& Metrics() const override { return m_metrics; }
    TFontSynthesis Synthesis() const override { return m_synthesis; }
    std::vector<TShapedGlyph> Shape(std::u32string_view text) override;
    const TGlyphImage& Glyph(std::uint32_t index) override;
    bool HasGlyphFor(char32_t c) const override;
    bool IsStrike() const override { return m_isStrike; }
    // The face name GDI chose (GetTextFaceW), in UTF-8.
    std::string FamilyName() const override { return m_faceName; }
    // The character set of the font GDI chose.
    unsigned char CharSet() const { return m_charSet; }
    // The device context the font is selected into, for measuring with GDI directly.
    HDC__* Dc() const { return m_dc; }

private:
    TGdiFace() = default;
    void ReadMetrics(TFontStyles styles);
    void ReadCoverage();
    // False when GDI has no outline for it (a bitmap font).
    bool OutlineGlyph(char32_t c, TGlyphImage& image) const;
    TGlyphImage DrawnGlyph(char32_t c) const;

    HDC__* m_dc = nullptr;
    HFONT__* m_font = nullptr;
    void* m_oldFont = nullptr;
    bool m_isStrike = false;
    unsigned char m_charSet = DefaultCharSet;
    int m_overhang = 0;
    std::string m_faceName;
    TFontSynthesis m_synthesis;
    TFontMetrics m_metrics;
    // The characters the font has, as ranges [first, last], in order.
    std::vector<std::pair<char32_t, char32_t>> m_ranges;
    TGlyphCache m_glyphs;
};
