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
    // The rectangle around everything that may be touched.
    TRect Bounds() const {
        TRect bounds;
        for (const TRect& r : m_rects)
            bounds = bounds.Union(r);
        return bounds;
    }

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

// The glyphs of a paragraph ordered by the code point they belong to (glyphs of one
// cluster keep their shaping order), so that each line finds its own glyphs by search.
std::vector<std::uint32_t> GlyphsByCluster(const std::vector<TShapedGlyph>& glyphs) {
    std::vector<std::uint32_t> order(glyphs.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = std::uint32_t(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return glyphs[a].Cluster < glyphs[b].Cluster; });
    return order;
}

// Draws the glyphs of the code points [start, end) of a paragraph; each cluster starts at
// its laid-out position, so tab stops hold.
void DrawLineGlyphs(TPaintArea& area, const std::vector<TShapedGlyph>& glyphs,
                    const std::vector<std::uint32_t>& byCluster, std::size_t start, std::size_t end,
                    const std::vector<int>& positions, int lineX, int baseline, TRgb color) {
    auto first = std::lower_bound(byCluster.begin(), byCluster.end(), start,
                                  [&](std::uint32_t g, std::size_t c) { return glyphs[g].Cluster < c; });
    std::uint32_t cluster = std::uint32_t(-1);
    int pen = lineX;
    for (auto it = first; it != byCluster.end() && glyphs[*it].Cluster < end; ++it) {
        const TShapedGlyph& g = glyphs[*it];
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

// Draws the lines of one laid-out piece from y on, moving y down a cell and counting each line
// it passes; false once the lines pass below what may be touched.
bool DrawPiece(TPaintArea& area, const TFontMetrics& m, const TextLayout::TLayout& piece, const TFont& font,
               const TRect& rect, unsigned flags, bool opaque, TColor background, int& y,
               std::int64_t& lines) {
    const TRgb color = ToRgb(font.Color());
    const TRgb fill = ToRgb(background);
    const bool underline = font.Style().Has(TFontStyle::fsUnderline);
    const bool strikeOut = font.Style().Has(TFontStyle::fsStrikeOut);
    // Lines wholly outside what may be touched are passed over (a cell of margin keeps
    // glyphs that reach beyond their line), and drawing stops below the last that shows.
    const TRect bounds = area.Bounds();
    const int margin = std::max(m.CellHeight, 1);
    std::size_t indexed = std::size_t(-1);
    std::vector<std::uint32_t> byCluster;
    for (const TextLayout::TLine& line : piece.Lines) {
        if (y - margin >= bounds.Bottom) return false;
        ++lines;
        if (y + m.CellHeight + margin <= bounds.Top) {
            y += m.CellHeight;
            continue;
        }
        const int x = LineLeft(rect, line.Width, flags);
        const int baseline = y + m.Ascent;
        if (opaque) area.Fill(TRect::FromBounds(x, y, line.Width, m.CellHeight), fill);
        const TextLayout::TParagraph& p = piece.Paragraphs[line.Paragraph];
        if (indexed != line.Paragraph) {
            byCluster = GlyphsByCluster(p.Glyphs);
            indexed = line.Paragraph;
        }
        const std::vector<int> positions = TextLayout::CharPositions(piece, line);
        DrawLineGlyphs(area, p.Glyphs, byCluster, line.Start, line.End, positions, x, baseline, color);
        if (line.Ellipsis) DrawRun(area, piece.EllipsisGlyphs, x + positions.back(), baseline, color);
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
    return y - margin < bounds.Bottom;
}

int LinesHeight(std::int64_t lines, int cellHeight) {
    return int(std::min<std::int64_t>(lines * cellHeight, INT32_MAX));
}

} // namespace

int DrawText(TBitmap* target, const TRegion& clip, const TFont& font, std::string_view utf8Text, TRect& rect,
             unsigned flags, bool opaque, TColor background) {
    TFontLibrary& library = TFontLibrary::Instance();
    std::lock_guard lock(library.Mutex());
    TFontFace* face = library.Face(font);
    const TFontMetrics metrics = face ? face->Metrics() : FallbackMetrics(font);
    const TextLayout::TFallbackFace fallback = [&] { return library.FallbackFace(font); };
    const bool draws = !(flags & DT_CALCRECT) && target && target->PixelFormat() != TPixelFormat::pf8bit;
    std::int64_t lines = 0;
    if (!draws) {
        int width = 0;
        TextLayout::LayoutPieces(face, fallback, utf8Text, rect.Width(), flags,
                                 [&](const TextLayout::TLayout& piece) {
                                     lines += std::int64_t(piece.Lines.size());
                                     width = std::max(width, piece.Width);
                                     return true;
                                 });
        const int height = LinesHeight(lines, metrics.CellHeight);
        if (flags & DT_CALCRECT) {
            rect.Right = rect.Left + width;
            rect.Bottom = SaturateToInt(std::int64_t(rect.Top) + height);
        }
        return height;
    }
    const bool clipToRect = (flags & DT_NOCLIP) == 0;
    TPaintArea area(*target, clip, clipToRect ? &rect : nullptr);
    if (area.IsEmpty()) return 0;
    // Only what can show is laid out: the layout stops below the last line that shows.
    int y = FirstLineTop(rect, metrics.CellHeight, flags);
    TextLayout::LayoutPieces(
        face, fallback, utf8Text, rect.Width(), flags, [&](const TextLayout::TLayout& piece) {
            return DrawPiece(area, metrics, piece, font, rect, flags, opaque, background, y, lines);
        });
    return LinesHeight(lines, metrics.CellHeight);
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

std::vector<int> CharPositions(const TFont& font, std::u32string_view text) {
    TFontLibrary& library = TFontLibrary::Instance();
    std::lock_guard lock(library.Mutex());
    TFontFace* face = library.Face(font);
    const TextLayout::TLayout layout = TextLayout::Layout(
        face, [&] { return library.FallbackFace(font); }, text, 0, DT_SINGLELINE | DT_NOPREFIX);
    std::vector<int> positions(text.size() + 1, 0);
    if (layout.Lines.empty()) return positions;
    const std::vector<int> laidOut = TextLayout::CharPositions(layout, layout.Lines.front());
    // Control characters other than tabs are dropped from the layout and take no room.
    std::size_t j = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        const bool dropped = (c < 0x20 && c != U'\t') || c == 0x7F;
        if (!dropped && j + 1 < laidOut.size()) ++j;
        positions[i + 1] = laidOut[j];
    }
    return positions;
}

int CellHeight(const TFont& font) {
    return Metrics(font).CellHeight;
}

int EmHeight(const TFont& font) {
    return Metrics(font).EmHeight;
}

} // namespace TextRenderer
