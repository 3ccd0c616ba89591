#include "platform/text/freetype/TFreeTypeFace.h"

#include <algorithm>
#include <cmath>

#include <hb-ft.h>
#include <hb.h>

#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

namespace {

// Light hinting snaps horizontal stems and the baseline to whole pixels and keeps the
// glyph shapes; advances come back hinted, so pens stay on whole pixels. Scalable faces are
// drawn from their outlines even where they carry bitmaps of their own, so every scalable
// size looks alike.
constexpr FT_Int32 OutlineLoadFlags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;
constexpr FT_Int32 StrikeLoadFlags = FT_LOAD_DEFAULT;
// The shear of made-up italics, about 12 degrees, as a 16.16 fraction.
constexpr FT_Fixed ItalicShear = 0x0366A;
constexpr int MaxPixelHeight = 1000;

int RoundDiv(long long a, long long b) {
    if (b == 0) return 0;
    return int(std::llround(double(a) / double(b)));
}

int Pixels(FT_Pos pos26_6) {
    return int((pos26_6 + 32) >> 6);
}

// How far a made-up italic moves a row that lies `above` pixels over the baseline.
int ItalicShift(int above) {
    const std::int64_t sheared = std::int64_t(above) * ItalicShear;
    return int(sheared >= 0 ? sheared >> 16 : -((-sheared + 0xFFFF) >> 16));
}

} // namespace

std::unique_ptr<TFreeTypeFace> TFreeTypeFace::Open(FT_Library library, const std::string& path, int faceIndex,
                                                   int height, TFontStyles styles) {
    std::unique_ptr<TFreeTypeFace> face(new TFreeTypeFace);
    if (FT_New_Face(library, path.c_str(), faceIndex, &face->m_face) != 0) {
        face->m_face = nullptr;
        return nullptr;
    }
    if (!FT_IS_SCALABLE(face->m_face) || face->m_face->units_per_EM == 0) return nullptr;
    face->m_loadFlags = OutlineLoadFlags;
    // The face's own style bits, not fontconfig's answer, which reports a made-up style as real.
    TFontSynthesis synthesis;
    synthesis.Bold = styles.Has(TFontStyle::fsBold) && !(face->m_face->style_flags & FT_STYLE_FLAG_BOLD);
    synthesis.Italic =
        styles.Has(TFontStyle::fsItalic) && !(face->m_face->style_flags & FT_STYLE_FLAG_ITALIC);
    face->m_synthesis = synthesis;
    face->ComputeMetrics(height);
    if (FT_Set_Pixel_Sizes(face->m_face, 0, FT_UInt(face->m_metrics.EmHeight)) != 0) return nullptr;
    if (synthesis.Italic) {
        FT_Matrix shear{0x10000, ItalicShear, 0, 0x10000};
        FT_Set_Transform(face->m_face, &shear, nullptr);
    }
    if (synthesis.Bold) {
        face->m_emboldenStrength = std::max<FT_Pos>(64, FT_Pos(face->m_metrics.EmHeight) * 64 / 24);
        face->m_emboldenAdvance = Pixels(face->m_emboldenStrength);
    }
    face->CreateShaper();
    return face;
}

std::vector<TFontStrike> TFreeTypeFace::Strikes(FT_Library library, const std::string& path, int faceIndex) {
    std::vector<TFontStrike> strikes;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), faceIndex, &face) != 0) return strikes;
    if (!FT_IS_SCALABLE(face) && FT_HAS_FIXED_SIZES(face)) {
        for (int i = 0; i < face->num_fixed_sizes; ++i) {
            const int height = face->available_sizes[i].height;
            if (height <= 0 || height > MaxPixelHeight || FT_Select_Size(face, i) != 0) continue;
            const int ascent = std::clamp(Pixels(face->size->metrics.ascender), 0, height);
            strikes.push_back({i, height, ascent});
        }
    }
    FT_Done_Face(face);
    std::sort(strikes.begin(), strikes.end(),
              [](const TFontStrike& a, const TFontStrike& b) { return a.Height < b.Height; });
    return strikes;
}

std::unique_ptr<TFreeTypeFace> TFreeTypeFace::OpenStrike(FT_Library library, const std::string& path,
                                                         int faceIndex, const TFontStrike& strike,
                                                         TFontStyles styles) {
    std::unique_ptr<TFreeTypeFace> face(new TFreeTypeFace);
    if (FT_New_Face(library, path.c_str(), faceIndex, &face->m_face) != 0) {
        face->m_face = nullptr;
        return nullptr;
    }
    if (FT_IS_SCALABLE(face->m_face) || strike.Index < 0 || strike.Index >= face->m_face->num_fixed_sizes ||
        FT_Select_Size(face->m_face, strike.Index) != 0)
        return nullptr;
    face->m_isStrike = true;
    face->m_loadFlags = StrikeLoadFlags;
    face->m_synthesis.Bold = styles.Has(TFontStyle::fsBold);
    face->m_synthesis.Italic = styles.Has(TFontStyle::fsItalic);
    if (face->m_synthesis.Bold) face->m_emboldenAdvance = 1;
    face->ComputeStrikeMetrics(strike);
    face->CreateShaper();
    return face;
}

void TFreeTypeFace::CreateShaper() {
    m_hbFont = hb_ft_font_create_referenced(m_face);
    hb_ft_font_set_load_flags(m_hbFont, m_loadFlags);
    m_buffer = hb_buffer_create();
}

std::string TFreeTypeFace::FamilyName() const {
    return m_face && m_face->family_name ? m_face->family_name : "";
}

TFreeTypeFace::~TFreeTypeFace() {
    if (m_buffer) hb_buffer_destroy(m_buffer);
    if (m_hbFont) hb_font_destroy(m_hbFont);
    if (m_face) FT_Done_Face(m_face);
}

void TFreeTypeFace::ComputeMetrics(int height) {
    const long long upem = m_face->units_per_EM;
    long long ascender = m_face->ascender;
    long long descender = -m_face->descender;
    // The cell the platform gives a font comes from the Windows ascent and descent.
    const auto* table = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_OS2));
    // FreeType marks an OS/2 table it could not read with version 0xFFFF.
    const TT_OS2* os2 = table && table->version != 0xFFFF ? table : nullptr;
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    if (ascender + descender <= 0) {
        ascender = upem * 4 / 5;
        descender = upem / 5;
    }
    height = std::clamp(height == 0 ? -11 : height, -MaxPixelHeight, MaxPixelHeight);
    TFontMetrics& m = m_metrics;
    if (height < 0) {
        m.EmHeight = -height;
        m.Ascent = RoundDiv(ascender * m.EmHeight, upem);
        m.Descent = RoundDiv(descender * m.EmHeight, upem);
    } else {
        m.EmHeight = std::max(1, RoundDiv(height * upem, ascender + descender));
        m.Ascent = RoundDiv(height * ascender, ascender + descender);
        m.Descent = height - m.Ascent;
    }
    m.CellHeight = m.Ascent + m.Descent;
    const int em = m.EmHeight;
    m.AveCharWidth = os2 && os2->xAvgCharWidth > 0 ? std::max(1, RoundDiv(os2->xAvgCharWidth * em, upem))
                                                   : std::max(1, em / 2);
    m.UnderlineThickness = std::max(1, RoundDiv(m_face->underline_thickness * em, upem));
    m.UnderlineOffset =
        std::max(1, RoundDiv(-(m_face->underline_position) * em, upem) - m.UnderlineThickness / 2);
    if (m.UnderlineOffset + m.UnderlineThickness > m.Descent)
        m.UnderlineOffset = std::max(0, m.Descent - m.UnderlineThickness);
    if (os2 && os2->yStrikeoutSize > 0) {
        m.StrikeOutThickness = std::max(1, RoundDiv(os2->yStrikeoutSize * em, upem));
        m.StrikeOutOffset = RoundDiv(os2->yStrikeoutPosition * em, upem) + m.StrikeOutThickness / 2;
    } else {
        m.StrikeOutThickness = m.UnderlineThickness;
        m.StrikeOutOffset = std::max(1, m.Ascent / 3);
    }
    if (m_synthesis.Bold) m.AveCharWidth += 1;
}

void TFreeTypeFace::ComputeStrikeMetrics(const TFontStrike& strike) {
    TFontMetrics& m = m_metrics;
    m.CellHeight = strike.Height;
    m.Ascent = strike.Ascent;
    m.Descent = m.CellHeight - m.Ascent;
    m.EmHeight = std::max(1, m.Ascent);
    // The average width the platform gives a bitmap font is that of its "x".
    m.AveCharWidth = std::max(1, m.EmHeight / 2);
    const FT_UInt x = FT_Get_Char_Index(m_face, 'x');
    if (x != 0 && FT_Load_Glyph(m_face, x, m_loadFlags) == 0 && m_face->glyph->advance.x > 0)
        m.AveCharWidth = Pixels(m_face->glyph->advance.x);
    m.UnderlineThickness = 1;
    m.UnderlineOffset = std::clamp(m.Descent - 1, 0, 1);
    m.StrikeOutThickness = 1;
    m.StrikeOutOffset = std::max(1, m.Ascent / 3);
    if (m_synthesis.Bold) m.AveCharWidth += 1;
}

std::vector<TShapedGlyph> TFreeTypeFace::Shape(std::u32string_view text) {
    std::vector<TShapedGlyph> glyphs;
    if (text.empty()) return glyphs;
    hb_buffer_clear_contents(m_buffer);
    hb_buffer_add_utf32(m_buffer, reinterpret_cast<const std::uint32_t*>(text.data()), int(text.size()), 0,
                        int(text.size()));
    hb_buffer_set_direction(m_buffer, HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(m_buffer);
    hb_shape(m_hbFont, m_buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(m_buffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(m_buffer, &count);
    glyphs.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        TShapedGlyph g;
        g.Index = info[i].codepoint;
        g.Cluster = info[i].cluster;
        g.Advance = Pixels(pos[i].x_advance);
        if (g.Advance > 0) g.Advance += m_emboldenAdvance;
        g.OffsetX = Pixels(pos[i].x_offset);
        g.OffsetY = Pixels(pos[i].y_offset);
        g.Face = this;
        glyphs.push_back(g);
    }
    return glyphs;
}

bool TFreeTypeFace::HasGlyphFor(char32_t c) const {
    return FT_Get_Char_Index(m_face, FT_ULong(c)) != 0;
}

const TGlyphImage& TFreeTypeFace::Glyph(std::uint32_t index) {
    if (const TGlyphImage* cached = m_glyphs.Find(index)) return *cached;
    TGlyphImage image;
    if (FT_Load_Glyph(m_face, index, m_loadFlags) == 0) {
        FT_GlyphSlot slot = m_face->glyph;
        if (m_emboldenStrength > 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE)
            FT_Outline_EmboldenXY(&slot->outline, m_emboldenStrength, 0);
        if (FT_Render_Glyph(slot, m_isStrike ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_LIGHT) == 0) {
            image.Left = slot->bitmap_left;
            image.Top = slot->bitmap_top;
            CopyBitmap(slot->bitmap, image);
            if (m_isStrike) MakeUpStrikeStyles(image);
        }
    }
    return m_glyphs.Add(index, std::move(image));
}

void TFreeTypeFace::CopyBitmap(const FT_Bitmap& bm, TGlyphImage& image) const {
    // Other pixel modes (colour glyphs) are not drawn.
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY && bm.pixel_mode != FT_PIXEL_MODE_MONO) return;
    image.Width = int(bm.width);
    image.Height = int(bm.rows);
    image.Coverage.assign(std::size_t(image.Width) * std::size_t(image.Height), 0);
    for (int y = 0; y < image.Height; ++y) {
        const unsigned char* row = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
        std::uint8_t* out = image.Coverage.data() + std::ptrdiff_t(y) * image.Width;
        if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
            std::copy(row, row + image.Width, out);
            continue;
        }
        // One bit per pixel, the leftmost in the top bit: set pixels are fully covered.
        for (int x = 0; x < image.Width; ++x)
            out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    }
}

void TFreeTypeFace::MakeUpStrikeStyles(TGlyphImage& image) const {
    if (image.Width == 0 || image.Height == 0) return;
    if (m_synthesis.Bold) {
        // Every pixel also covers its right neighbour.
        TGlyphImage bold = image;
        bold.Width = image.Width + 1;
        bold.Coverage.assign(std::size_t(bold.Width) * std::size_t(bold.Height), 0);
        for (int y = 0; y < image.Height; ++y) {
            const std::uint8_t* in = image.Coverage.data() + std::ptrdiff_t(y) * image.Width;
            std::uint8_t* out = bold.Coverage.data() + std::ptrdiff_t(y) * bold.Width;
            for (int x = 0; x < image.Width; ++x) {
                out[x] = std::max(out[x], in[x]);
                out[x + 1] = in[x];
            }
        }
        image = std::move(bold);
    }
    if (m_synthesis.Italic) {
        // Rows move right by their height over the baseline.
        const int highest = ItalicShift(image.Top - 1);
        const int lowest = ItalicShift(image.Top - image.Height);
        TGlyphImage italic = image;
        italic.Left = image.Left + lowest;
        italic.Width = image.Width + highest - lowest;
        italic.Coverage.assign(std::size_t(italic.Width) * std::size_t(italic.Height), 0);
        for (int y = 0; y < image.Height; ++y) {
            const int shift = ItalicShift(image.Top - 1 - y) - lowest;
            const std::uint8_t* in = image.Coverage.data() + std::ptrdiff_t(y) * image.Width;
            std::copy(in, in + image.Width,
                      italic.Coverage.begin() + std::ptrdiff_t(y) * italic.Width + shift);
        }
        image = std::move(italic);
    }
}
