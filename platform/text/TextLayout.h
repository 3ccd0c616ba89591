#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/TFontFace.h"

// Breaking text into lines as the platform's text drawing does: paragraphs at CR LF, CR or
// LF, "&" prefixes, tab stops, word breaks at blanks and end ellipses.
namespace TextLayout {

// One paragraph after prefix processing, shaped once; Advances holds the whole-pixel
// advance of each code point (0 for the later code points of a ligature).
struct TParagraph {
    std::u32string Text;
    std::ptrdiff_t Underline = -1;
    std::vector<TShapedGlyph> Glyphs;
    std::vector<int> Advances;
};

// The code points [Start, End) of one paragraph, followed by "..." when Ellipsis is set.
struct TLine {
    std::size_t Paragraph = 0;
    std::size_t Start = 0;
    std::size_t End = 0;
    bool Ellipsis = false;
    int Width = 0;
};

struct TLayout {
    std::vector<TParagraph> Paragraphs;
    std::vector<TLine> Lines;
    std::vector<TShapedGlyph> EllipsisGlyphs;
    int EllipsisWidth = 0;
    bool ExpandTabs = false;
    int TabWidth = 8;
    // The widest line.
    int Width = 0;
};

// Gives the face that draws characters the font's own face lacks; called only when needed.
using TFallbackFace = std::function<TFontFace*()>;

// Lays out text for a rectangle maxWidth pixels wide with TextFlags. A null face measures
// every character as zero pixels wide.
TLayout Layout(TFontFace* face, const TFallbackFace& fallback, std::u32string_view text, int maxWidth,
               unsigned flags);

// A paragraph longer than this many code points is laid out a piece at a time.
inline constexpr std::size_t DefaultPieceLength = 4096;

// Receives each laid-out piece in text order; returning false stops the layout there.
using TPieceSink = std::function<bool(const TLayout& piece)>;

// Lays out UTF-8 text (invalid bytes become U+FFFD) as Layout does, in pieces: each holds one
// paragraph, or the finished lines of at most pieceLength code points of a long one, so the
// memory a layout takes does not grow with the text, and a sink that has what it needs stops
// it early. A line longer than pieceLength code points keeps only its first pieceLength ones
// (far more than any rectangle shows) and ends where it would have broken.
void LayoutPieces(TFontFace* face, const TFallbackFace& fallback, std::string_view utf8Text, int maxWidth,
                  unsigned flags, const TPieceSink& sink, std::size_t pieceLength = DefaultPieceLength);

// The x position of each code point of a line relative to the line's start, and after
// them the line's end: End - Start + 1 values.
std::vector<int> CharPositions(const TLayout& layout, const TLine& line);

} // namespace TextLayout
