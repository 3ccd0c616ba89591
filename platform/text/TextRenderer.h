#pragma once

#include <string_view>

#include "platform/graphics/Geometry.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TRegion.h"
#include "platform/text/TFont.h"

// Text layout and rasterising behind TCanvas: fonts found by family name through
// fontconfig, shaped with HarfBuzz and drawn by FreeType with grayscale antialiasing.
namespace TextRenderer {

// Lays out text in rect (bitmap coordinates) by TextFlags and, unless DT_CALCRECT is given,
// draws it onto target (24- or 32-bit) in font.Color() (system colours resolved), limited
// to clip. With opaque set, each line's cell is filled with background first. Returns the
// height of the laid-out text; with DT_CALCRECT, rect is adjusted to the text's extent.
int DrawText(TBitmap* target, const TRegion& clip, const TFont& font, std::string_view utf8Text, TRect& rect,
             unsigned flags, bool opaque, TColor background);

// Width and height of one line of text (no prefix processing, tabs not expanded).
TSize TextExtent(const TFont& font, std::string_view utf8Text);

// The font's cell height in pixels (ascent + descent) and its em height in pixels.
int CellHeight(const TFont& font);
int EmHeight(const TFont& font);

} // namespace TextRenderer
