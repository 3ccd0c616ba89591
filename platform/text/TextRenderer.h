#pragma once

#include <string_view>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TRegion.h"
#include "platform/text/TFont.h"

// Text layout and rasterising behind TCanvas: faces from the font library, laid out here and
// their glyphs' coverage blended into the bitmap.
namespace TextRenderer {

// Lays out text in rect (bitmap coordinates) by TextFlags and, unless DT_CALCRECT is given,
// draws it onto target (24- or 32-bit) in font.Color() (system colours resolved), limited
// to clip. With opaque set, each line's cell is filled with background first. Returns the
// height of the laid-out text (lines times the cell height); with DT_CALCRECT, rect's right
// becomes left plus the widest line and its bottom top plus that height. A null target or an
// 8-bit one only measures. Drawing lays out only down to the last line that can show, so its
// answer counts the lines down to there; measuring counts them all. Either way the memory
// taken does not grow with the text. Invalid UTF-8 bytes are drawn as U+FFFD.
int DrawText(TBitmap* target, const TRegion& clip, const TFont& font, std::string_view utf8Text, TRect& rect,
             unsigned flags, bool opaque, TColor background);

// Draws one line of text with its cell's top-left corner at (x, y): no prefix processing,
// no tab expansion, not clipped to any rectangle (only to clip). With opaque set the
// line's cell is filled with background first.
void TextOut(TBitmap* target, const TRegion& clip, const TFont& font, int x, int y, std::string_view utf8Text,
             bool opaque, TColor background);

// Width and height of one line of text (no prefix processing, tabs not expanded, line
// breaks ignored); the height is the cell height, also for empty text.
TSize TextExtent(const TFont& font, std::string_view utf8Text);

// The x position of every code point boundary of one line of text (no prefix processing,
// tabs not expanded): text.size() + 1 values, starting with 0 and ending with the width.
std::vector<int> CharPositions(const TFont& font, std::u32string_view text);

// The font's cell height in pixels (ascent + descent) and its em height in pixels.
int CellHeight(const TFont& font);
int EmHeight(const TFont& font);

} // namespace TextRenderer
