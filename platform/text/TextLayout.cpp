#include "platform/text/TextLayout.h"

#include <algorithm>

#include "platform/text/TextFlags.h"

using namespace TextFlags;

namespace TextLayout {

namespace {

constexpr std::size_t None = std::size_t(-1);

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}

// Splits at CR LF, CR or LF; a break at the very end starts no further paragraph.
std::vector<std::u32string> SplitParagraphs(std::u32string_view text, bool singleLine) {
    std::vector<std::u32string> paragraphs;
    if (text.empty()) return paragraphs;
    if (singleLine) {
        paragraphs.emplace_back(text);
        return paragraphs;
    }
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char32_t c = text[i];
        if (c == U'\r' || c == U'\n') {
            paragraphs.emplace_back(text.substr(start, i - start));
            i += (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) paragraphs.emplace_back(text.substr(start));
    return paragraphs;
}

// Removes "&" prefixes ("&&" stays as one "&") and control characters other than tabs,
// remembering the last prefixed character.
void PrepareText(TParagraph& paragraph, std::u32string_view source, bool prefixes) {
    paragraph.Text.reserve(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        char32_t c = source[i];
        if (prefixes && c == U'&') {
            if (i + 1 >= source.size()) break;
            c = source[++i];
            if (c != U'&' && c >= 0x20 && c != 0x7F)
                paragraph.Underline = std::ptrdiff_t(paragraph.Text.size());
        }
        if ((c < 0x20 && c != U'\t') || c == 0x7F) continue;
        paragraph.Text.push_back(c);
    }
}

bool NeedsFallback(std::u32string_view text, TFontFace& face) {
    return std::any_of(text.begin(), text.end(),
                       [&](char32_t c) { return c > U' ' && !face.HasGlyphFor(c); });
}

// Shapes runs of characters that the face lacks with the fallback face; blanks and marks
// the fallback lacks as well stay with the run they are in.
std::vector<TShapedGlyph> ShapeWithFallback(std::u32string_view text, TFontFace& face, TFontFace& fallback) {
    std::vector<TShapedGlyph> glyphs;
    std::size_t start = 0;
    TFontFace* runFace = &face;
    auto flush = [&](std::size_t end) {
        if (end <= start) return;
        for (TShapedGlyph g : runFace->Shape(text.substr(start, end - start))) {
            g.Cluster += std::uint32_t(start);
            glyphs.push_back(g);
        }
        start = end;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        TFontFace* wanted = runFace;
        if (face.HasGlyphFor(c))
            wanted = c > U' ' ? &face : runFace;
        else if (fallback.HasGlyphFor(c))
            wanted = &fallback;
        if (wanted != runFace) {
            flush(i);
            runFace = wanted;
        }
    }
    flush(text.size());
    return glyphs;
}

void Shape(TParagraph& paragraph, TFontFace* face, const TFallbackFace& fallback) {
    paragraph.Advances.assign(paragraph.Text.size(), 0);
    if (!face || paragraph.Text.empty()) return;
    std::u32string shaped = paragraph.Text;
    std::replace(shaped.begin(), shaped.end(), U'\t', U' ');
    TFontFace* other = fallback && NeedsFallback(shaped, *face) ? fallback() : nullptr;
    if (other && other != face)
        paragraph.Glyphs = ShapeWithFallback(shaped, *face, *other);
    else
        paragraph.Glyphs = face->Shape(shaped);
    for (const TShapedGlyph& g : paragraph.Glyphs)
        if (g.Cluster < paragraph.Advances.size()) paragraph.Advances[g.Cluster] += g.Advance;
}

int Advance(const TLayout& layout, const TParagraph& p, std::size_t i, int x) {
    if (layout.ExpandTabs && p.Text[i] == U'\t') return (x / layout.TabWidth + 1) * layout.TabWidth;
    return x + p.Advances[i];
}

int Width(const TLayout& layout, const TParagraph& p, std::size_t start, std::size_t end) {
    int x = 0;
    for (std::size_t i = start; i < end; ++i)
        x = Advance(layout, p, i, x);
    return x;
}

// Greedy breaking at blanks; a word wider than the line stays whole and overflows.
void BreakParagraph(TLayout& layout, std::size_t index, int maxWidth) {
    const TParagraph& p = layout.Paragraphs[index];
    const std::size_t n = p.Text.size();
    std::size_t s = 0;
    do {
        int x = 0;
        int contentWidth = 0;
        std::size_t breakEnd = None;
        std::size_t breakNext = None;
        int breakWidth = 0;
        bool overflow = false;
        bool broke = false;
        std::size_t i = s;
        while (i < n) {
            if (IsBlank(p.Text[i])) {
                if (i > s) {
                    breakEnd = i;
                    breakWidth = x;
                }
                std::size_t j = i;
                while (j < n && IsBlank(p.Text[j]))
                    x = Advance(layout, p, j++, x);
                breakNext = j;
                if (overflow && breakEnd != None) {
                    broke = true;
                    break;
                }
                i = j;
                continue;
            }
            const int next = Advance(layout, p, i, x);
            if (next > maxWidth && !overflow) {
                if (breakEnd != None) {
                    broke = true;
                    break;
                }
                overflow = true;
            }
            x = next;
            contentWidth = x;
            ++i;
        }
        if (broke) {
            layout.Lines.push_back({index, s, breakEnd, false, breakWidth});
            s = breakNext;
        } else {
            // Blanks after the last word do not widen a wrapped line; a line of blanks only has their width.
            const bool blanksOnly = contentWidth == 0 && !overflow;
            layout.Lines.push_back({index, s, n, false, blanksOnly ? x : contentWidth});
            s = n;
        }
    } while (s < n);
}

void ApplyEllipsis(TLayout& layout, TLine& line, int maxWidth) {
    const TParagraph& p = layout.Paragraphs[line.Paragraph];
    std::size_t end = line.Start;
    int x = 0;
    for (std::size_t i = line.Start; i < line.End; ++i) {
        const int next = Advance(layout, p, i, x);
        if (next + layout.EllipsisWidth > maxWidth) break;
        x = next;
        end = i + 1;
    }
    line.End = end;
    line.Ellipsis = true;
    line.Width = x + layout.EllipsisWidth;
}

} // namespace

TLayout Layout(TFontFace* face, const TFallbackFace& fallback, std::u32string_view text, int maxWidth,
               unsigned flags) {
    TLayout layout;
    layout.ExpandTabs = (flags & DT_EXPANDTABS) != 0;
    if (face) layout.TabWidth = std::max(1, 8 * face->Metrics().AveCharWidth);
    const bool singleLine = (flags & DT_SINGLELINE) != 0;
    const bool wordBreak = (flags & DT_WORDBREAK) != 0 && !singleLine;
    for (const std::u32string& source : SplitParagraphs(text, singleLine)) {
        TParagraph& p = layout.Paragraphs.emplace_back();
        PrepareText(p, source, (flags & DT_NOPREFIX) == 0);
        Shape(p, face, fallback);
    }
    for (std::size_t i = 0; i < layout.Paragraphs.size(); ++i) {
        const TParagraph& p = layout.Paragraphs[i];
        if (wordBreak)
            BreakParagraph(layout, i, maxWidth);
        else
            layout.Lines.push_back({i, 0, p.Text.size(), false, Width(layout, p, 0, p.Text.size())});
    }
    if (flags & DT_END_ELLIPSIS) {
        bool shaped = false;
        for (TLine& line : layout.Lines) {
            if (line.Width <= maxWidth) continue;
            if (!shaped && face) {
                layout.EllipsisGlyphs = face->Shape(U"...");
                for (const TShapedGlyph& g : layout.EllipsisGlyphs)
                    layout.EllipsisWidth += g.Advance;
                shaped = true;
            }
            ApplyEllipsis(layout, line, maxWidth);
        }
    }
    for (const TLine& line : layout.Lines)
        layout.Width = std::max(layout.Width, line.Width);
    return layout;
}

std::vector<int> CharPositions(const TLayout& layout, const TLine& line) {
    const TParagraph& p = layout.Paragraphs[line.Paragraph];
    std::vector<int> positions;
    positions.reserve(line.End - line.Start + 1);
    int x = 0;
    for (std::size_t i = line.Start; i < line.End; ++i) {
        positions.push_back(x);
        x = Advance(layout, p, i, x);
    }
    positions.push_back(x);
    return positions;
}

} // namespace TextLayout
