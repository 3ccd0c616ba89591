#include "platform/text/TextRenderer.h"

#include <algorithm>
#include <mutex>

#include "platform/core/Utf8.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TFontLibrary.h"
#include "platform/text/TextFlags.h"
#include "platform/text/TextLayout.h"

using namespace TextFlags;

namespace TextRenderer {

namespace {

struct TRgb {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;
};

TRgb ToRgb(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}

// Metrics for when no font could be opened at all: text then has height but no width.
TFontMetrics FallbackMetrics(const TFont& font) {
    TFontMetrics m;
    const int h = font.Height() == 0 ? 11 : std::min(std::abs(font.Height()), 1000);
    m.EmHeight = font.Height() > 0 ? std::max(1, h * 5 / 6) : h;
    m.CellHeight = font.Height() > 0 ? h : h + h / 6;
    m.Descent = m.CellHeight / 5;
    m.Ascent = m.CellHeight - m.Descent;
    m.AveCharWidth = std::max(1, m.EmHeight / 2);
    return m;
}

TFontMetrics Metrics(const TFont& font) {
    TFontLibrary& library = TFontLibrary::Instance();
    std::lock_guard lock(library.Mutex());
    TFontFace* face = library.Face(font);
    return face ? face->Metrics() : FallbackMetrics(font);
}

// Where drawing may touch the target: the clip region's rectangles, cut to the bitmap and,
// unless the caller asked for no clipping, to the text rectangle.
class TPaintArea {
public:
    TPaintArea(TBitmap& target, const TRegion& clip, const TRect* limit) : m_target(target) {
        const TRect bounds = target.BoundsRect();
        for (const TRect& r : clip.Rects()) {
            TRect part = r.Intersect(bounds);
            if (limit) part = part.Intersect(*limit);
            if (!part.IsEmpty()) m_rects.push_back(part);
        }
        m_bytesPerPixel = target.BytesPerPixel();
    }

    bool IsEmpty() const { return m_rects.empty(); }

    void Fill(const TRect& area, TRgb c) {
        for (const TRect& r : m_rects) {
            const TRect part = r.Intersect(area);
            if (part.IsEmpty()) continue;
            for (int y = part.Top; y < part.Bottom; ++y) {
                std::uint8_t* p = m_target.ScanLine(y) + std::ptrdiff_t(part.Left) * m_bytesPerPixel;
                for (int x = part.Left; x < part.Right; ++x, p += m_bytesPerPixel) {
                    p[0] = c.B;
                    p[1] = c.G;
                    p[2] = c.R;
                }
            }
        }
    }

    // Blends a glyph's coverage with its top-left corner at (left, top).
    void Blend(const TGlyphImage& glyph, int left, int top, TRgb c) {
        if (glyph.Width == 0 || glyph.Height == 0) return;
        const TRect box = TRect::FromBounds(left, top, glyph.Width, glyph.Height);
        for (const TRect& r : m_rects) {
            const TRect part = r.Intersect(box);
            if (part.IsEmpty()) continue;
            for (int y = part.Top; y < part.Bottom; ++y) {
                const std::uint8_t* cov =
                    glyph.Coverage.data() + std::ptrdiff_t(y - top) * glyph.Width + (part.Left - left);
                std::uint8_t* p = m_target.ScanLine(y) + std::ptrdiff_t(part.Left) * m_bytesPerPixel;
                for (int x = part.Left; x < part.Right; ++x, ++cov, p += m_bytesPerPixel) {
                    const unsigned a = *cov;
                    if (a == 0) continue;
                    const unsigned n = 255 - a;
                    p[0] = std::uint8_t((p[0] * n + c.B * a + 127) / 255);
                    p[1] = std::uint8_t((p[1] * n + c.G * a + 127) / 255);
                    p[2] = std::uint8_t((p[2] * n + c.R * a + 127) / 255);
                }
            }
        }
    }

private:
    TBitmap& m_target;
    std::vector<TRect> m_rects;
    int m_bytesPerPixel = 3;
};

void DrawGlyph(TPaintArea& area, const TShapedGlyph& g, int pen, int baseline, TRgb color) {
    const TGlyphImage& image = g.Face->Glyph(g.Index);
    area.Blend(image, pen + g.OffsetX + image.Left, baseline - g.OffsetY - image.Top, color);
}

// Draws the glyphs of the code points [start, end) of a paragraph; each cluster starts at
// its laid-out position, so tab stops hold.
void DrawLineGlyphs(TPaintArea& area, const std::vector<TShapedGlyph>& glyphs, std::size_t start,
                    std::size_t end, const std::vector<int>& positions, int lineX, int baseline, TRgb color) {
    std::uint32_t cluster = std::uint32_t(-1);
    int pen = lineX;
    for (const TShapedGlyph& g : glyphs) {
        if (g.Cluster < start || g.Cluster >= end) continue;
        if (g.Cluster != cluster) {
            cluster = g.Cluster;
            pen = lineX + positions[g.Cluster - start];
        }
        DrawGlyph(area, g, pen, baseline, color);
        pen += g.Advance;
    }
}

void DrawRun(TPaintArea& area, const std::vector<TShapedGlyph>& glyphs, int pen, int baseline, TRgb color) {
    for (const TShapedGlyph& g : glyphs) {
        DrawGlyph(area, g, pen, baseline, color);
        pen += g.Advance;
    }
}

int LineLeft(const TRect& rect, int width, unsigned flags) {
    if (flags & DT_CENTER) return rect.Left + (rect.Width() - width) / 2;
    if (flags & DT_RIGHT) return rect.Right - width;
    return rect.Left;
}

int FirstLineTop(const TRect& rect, int cellHeight, unsigned flags) {
    if (!(flags & DT_SINGLELINE)) return rect.Top;
    if (flags & DT_VCENTER) return rect.Top + (rect.Height() - cellHeight) / 2;
    if (flags & DT_BOTTOM) return rect.Bottom - cellHeight;
    return rect.Top;
}

void DrawLayout(TPaintArea& area, const TFontMetrics& m, const TextLayout::TLayout& layout, const TFont& font,
                const TRect& rect, unsigned flags, bool opaque, TColor background) {
    const TRgb color = ToRgb(font.Color());
    const TRgb fill = ToRgb(background);
    const bool underline = font.Style().Has(TFontStyle::fsUnderline);
    const bool strikeOut = font.Style().Has(TFontStyle::fsStrikeOut);
    int y = FirstLineTop(rect, m.CellHeight, flags);
    for (const TextLayout::TLine& line : layout.Lines) {
        const int x = LineLeft(rect, line.Width, flags);
        const int baseline = y + m.Ascent;
        if (opaque) area.Fill(TRect::FromBounds(x, y, line.Width, m.CellHeight), fill);
        const TextLayout::TParagraph& p = layout.Paragraphs[line.Paragraph];
        const std::vector<int> positions = TextLayout::CharPositions(layout, line);
        DrawLineGlyphs(area, p.Glyphs, line.Start, line.End, positions, x, baseline, color);
        if (line.Ellipsis) DrawRun(area, layout.EllipsisGlyphs, x + positions.back(), baseline, color);
        if (underline)
            area.Fill(TRect::FromBounds(x, baseline + m.UnderlineOffset, line.Width, m.UnderlineThickness),
                      color);
        if (strikeOut)
            area.Fill(TRect::FromBounds(x, baseline - m.StrikeOutOffset, line.Width, m.StrikeOutThickness),
                      color);
        if (!(flags & DT_HIDEPREFIX) && p.Underline >= 0 && std::size_t(p.Underline) >= line.Start &&
            std::size_t(p.Underline) < line.End) {
            const std::size_t i = std::size_t(p.Underline) - line.Start;
            area.Fill(TRect{x + positions[i], baseline + m.UnderlineOffset, x + positions[i + 1],
                            baseline + m.UnderlineOffset + m.UnderlineThickness},
                      color);
        }
        y += m.CellHeight;
    }
}

} // namespace

int DrawText(TBitmap* target, const TRegion& clip, const TFont& font, std::string_view utf8Text, TRect& rect,
             unsigned flags, bool opaque, TColor background) {
    TFontLibrary& library = TFontLibrary::Instance();
    std::lock_guard lock(library.Mutex());
    TFontFace* face = library.Face(font);
    const TFontMetrics metrics = face ? face->Metrics() : FallbackMetrics(font);
    const std::u32string text = Utf8::Decode(utf8Text);
    const TextLayout::TLayout layout = TextLayout::Layout(
        face, [&] { return library.FallbackFace(font); }, text, rect.Width(), flags);
    const int height = int(layout.Lines.size()) * metrics.CellHeight;
    if (flags & DT_CALCRECT) {
        rect.Right = rect.Left + layout.Width;
        rect.Bottom = rect.Top + height;
        return height;
    }
    if (!target || target->PixelFormat() == TPixelFormat::pf8bit || layout.Lines.empty()) return height;
    const bool clipToRect = (flags & DT_NOCLIP) == 0;
    TPaintArea area(*target, clip, clipToRect ? &rect : nullptr);
    if (!area.IsEmpty()) DrawLayout(area, metrics, layout, font, rect, flags, opaque, background);
    return height;
}

void TextOut(TBitmap* target, const TRegion& clip, const TFont& font, int x, int y, std::string_view utf8Text,
             bool opaque, TColor background) {
    TRect rect{x, y, x, y};
    DrawText(target, clip, font, utf8Text, rect, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP, opaque, background);
}

TSize TextExtent(const TFont& font, std::string_view utf8Text) {
    TRect rect;
    DrawText(nullptr, TRegion(), font, utf8Text, rect, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT, false,
             clNone);
    // Even empty text is one cell high, as the platform measures it.
    return {rect.Width(), CellHeight(font)};
}

int CellHeight(const TFont& font) {
    return Metrics(font).CellHeight;
}

int EmHeight(const TFont& font) {
    return Metrics(font).EmHeight;
}

} // namespace TextRenderer
