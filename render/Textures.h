#pragma once

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "render/ParentBackground.h"

class TBitmap;
struct TsMaskData;

// Texture layers of a face and the parent's background behind an item. The background's
// offsets map a target pixel (x, y) to the parent pixel (OffsetX + x, OffsetY + y): callers
// fold the item's position into them.

// Lays a texture of the skin's mask list over the rectangle by its draw mode and fills the part
// that the mode leaves uncovered with the colour. A texture with a mask half is mask-blended
// (modes 0 and 10 only; other modes leave everything to the colour).
void DrawMaskTexture(TBitmap& target, const TRect& rect, const TsMaskData& entry, TColor colour,
                     const ParentBackground& background);
// Tiles a whole image (an external JPEG texture) over the rectangle.
void DrawImageTexture(TBitmap& target, const TRect& rect, const TBitmap& image);
// The masked texture of draw mode 10: whole tiles mask-blended, the strips right of the last
// whole column and below the last whole row taken from the parent's face (or ParentKeyColor).
void DrawMaskedTextureWholeTiles(TBitmap& target, const TRect& rect, const TsMaskData& entry,
                                 const ParentBackground& background);
// Copies the parent's face behind the rectangle into it (24- or 32-bit parent); pixels with
// nothing behind them stay.
void CopyParentBackground(TBitmap& target, const TRect& rect, const ParentBackground& background);
