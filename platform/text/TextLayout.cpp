#include "platform/text/TextLayout.h"

#include <algorithm>

#include "platform/core/Utf8.h"
#include "platform/text/TextFlags.h"

using namespace TextFlags;

namespace TextLayout {

namespace {

constexpr std::size_t None = std::size_t(-1);

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}

// Code points read by position from UTF-8 text (invalid bytes read as U+FFFD) or from UTF-32.
class TUtf8Source {
public:
    explicit TUtf8Source(std::string_view text) : m_text(text) {}
    std::size_t Size() const { return m_text.size(); }
    char32_t Read(std::size_t& pos) const {
        char32_t value = Utf8::ReplacementCharacter;
        const std::size_t length = Utf8::DecodeOne(m_text, pos, value);
        pos += length > 0 ? length : 1;
        return value;
    }

private:
    std::string_view m_text;
};

class TUtf32Source {
public:
    explicit TUtf32Source(std::u32string_view text) : m_text(text) {}
    std::size_t Size() const { return m_text.size(); }
    char32_t Read(std::size_t& pos) const { return m_text[pos++]; }

private:
    std::u32string_view m_text;
};

// Removes "&" prefixes ("&&" stays as one "&") and control characters other than tabs,
// remembering the last prefixed character. With origins given, each kept character's index in
// the source is added to them.
void PrepareText(TParagraph& paragraph, std::u32string_view source, bool prefixes,
                 std::vector<std::uint32_t>* origins = nullptr) {
    paragraph.Text.reserve(source.size());
    if (origins) origins->reserve(source.size());
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
        if (origins) origins->push_back(std::uint32_t(i));
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

// A layout without lines yet, with the tab stops of the face.
TLayout EmptyLayout(TFontFace* face, unsigned flags) {
    TLayout layout;
    layout.ExpandTabs = (flags & DT_EXPANDTABS) != 0;
    if (face) layout.TabWidth = std::max(1, 8 * face->Metrics().AveCharWidth);
    return layout;
}

void ApplyEllipses(TLayout& layout, TFontFace* face, int maxWidth) {
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

// Lays out the paragraphs of a source piece by piece (see LayoutPieces).
template <class Source> class TPieceMaker {
public:
    TPieceMaker(const Source& source, TFontFace* face, const TFallbackFace& fallback, int maxWidth,
                unsigned flags, std::size_t pieceLength)
        : m_source(source), m_face(face), m_fallback(fallback), m_maxWidth(maxWidth), m_flags(flags),
          m_pieceLength(std::max<std::size_t>(pieceLength, 1)) {
        m_singleLine = (flags & DT_SINGLELINE) != 0;
        m_wordBreak = (flags & DT_WORDBREAK) != 0 && !m_singleLine;
    }

    // Splits at CR LF, CR or LF; a break at the very end starts no further paragraph. Breaks
    // are found while reading, so a layout that stops early reads no further.
    void Run(const TPieceSink& sink) {
        const std::size_t size = m_source.Size();
        std::size_t start = 0;
        while (start < size) {
            std::size_t end = start;
            if (!Paragraph(start, end, sink) || end >= size) return;
            const char32_t c = m_source.Read(end);
            if (c == U'\r' && end < size) {
                std::size_t after = end;
                if (m_source.Read(after) == U'\n') end = after;
            }
            start = end;
        }
    }

private:
    bool IsEnd(std::size_t pos) const {
        if (pos >= m_source.Size()) return true;
        if (m_singleLine) return false;
        const char32_t c = m_source.Read(pos);
        return c == U'\r' || c == U'\n';
    }

    // The paragraph that starts at start; end becomes its end (its break or the text's end).
    // False when the sink stopped.
    bool Paragraph(std::size_t start, std::size_t& end, const TPieceSink& sink) {
        std::size_t pos = start;
        do {
            std::u32string window;
            std::vector<std::size_t> ends; // the source position after each code point of the window
            std::size_t at = pos;
            while (!IsEnd(at) && window.size() < m_pieceLength) {
                window.push_back(m_source.Read(at));
                ends.push_back(at);
            }
            const bool whole = IsEnd(at);
            TLayout piece = EmptyLayout(m_face, m_flags);
            std::vector<std::uint32_t> origins;
            TParagraph& p = piece.Paragraphs.emplace_back();
            PrepareText(p, window, (m_flags & DT_NOPREFIX) == 0, whole ? nullptr : &origins);
            window = std::u32string();
            Shape(p, m_face, m_fallback);
            if (m_wordBreak)
                BreakParagraph(piece, 0, m_maxWidth);
            else
                piece.Lines.push_back({0, 0, p.Text.size(), false, Width(piece, p, 0, p.Text.size())});
            std::size_t next = at;
            if (!whole) {
                if (piece.Lines.size() > 1) {
                    // The last line may go on past the piece: the next piece starts with it.
                    const std::uint32_t first = origins[piece.Lines.back().Start];
                    next = first == 0 ? pos : ends[first - 1];
                    piece.Lines.pop_back();
                } else {
                    next = EndOfLongLine(at, !m_wordBreak || piece.Lines.front().End < p.Text.size());
                }
            }
            if (m_flags & DT_END_ELLIPSIS) ApplyEllipses(piece, m_face, m_maxWidth);
            for (const TLine& line : piece.Lines)
                piece.Width = std::max(piece.Width, line.Width);
            end = next;
            if (!sink(piece)) return false;
            pos = next;
        } while (!IsEnd(pos));
        return true;
    }

    // Where the line after one longer than a piece starts: past the rest of its last word
    // (unless the line already broke) and the blanks after it. Without word breaks the line
    // runs to the paragraph's end.
    std::size_t EndOfLongLine(std::size_t pos, bool broke) const {
        auto skip = [&](bool blanks) {
            while (!IsEnd(pos)) {
                std::size_t next = pos;
                const char32_t c = m_source.Read(next);
                if (m_wordBreak && IsBlank(c) != blanks) break;
                pos = next;
            }
        };
        if (!m_wordBreak) {
            skip(false);
            return pos;
        }
        if (!broke) skip(false);
        skip(true);
        return pos;
    }

    const Source& m_source;
    TFontFace* m_face;
    const TFallbackFace& m_fallback;
    int m_maxWidth;
    unsigned m_flags;
    std::size_t m_pieceLength;
    bool m_singleLine = false;
    bool m_wordBreak = false;
};

} // namespace

TLayout Layout(TFontFace* face, const TFallbackFace& fallback, std::u32string_view text, int maxWidth,
               unsigned flags) {
    TLayout layout = EmptyLayout(face, flags);
    const TUtf32Source source(text);
    TPieceMaker<TUtf32Source> maker(source, face, fallback, maxWidth, flags, std::size_t(-1));
    maker.Run([&](const TLayout& piece) {
        const std::size_t index = layout.Paragraphs.size();
        layout.Paragraphs.push_back(piece.Paragraphs.front());
        for (TLine line : piece.Lines) {
            line.Paragraph = index;
            layout.Lines.push_back(line);
        }
        if (layout.EllipsisGlyphs.empty() && !piece.EllipsisGlyphs.empty()) {
            layout.EllipsisGlyphs = piece.EllipsisGlyphs;
            layout.EllipsisWidth = piece.EllipsisWidth;
        }
        layout.Width = std::max(layout.Width, piece.Width);
        return true;
    });
    return layout;
}

void LayoutPieces(TFontFace* face, const TFallbackFace& fallback, std::string_view utf8Text, int maxWidth,
                  unsigned flags, const TPieceSink& sink, std::size_t pieceLength) {
    const TUtf8Source source(utf8Text);
    TPieceMaker<TUtf8Source>(source, face, fallback, maxWidth, flags, pieceLength).Run(sink);
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
