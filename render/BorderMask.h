#pragma once

#include "platform/core/Geometry.h"
#include "render/ParentBackground.h"

class TBitmap;
class TRegion;
struct TsMaskData;

// Whether a border mask draws its centre piece (draw-mode bit 2 must allow it too).
enum class FillCentre { No, Yes };
// Whether key-coloured corner pixels take the parent's face behind them (border masks
// without a mask half), and whether corner images are drawn at full strength.
enum class CornerFlag { No, Yes };

// The border mask of an entry as a 3 x 3 grid over the rectangle: four corners as they are,
// edges tiled (or, without a mask half and with draw-mode bit 0, stretched) along the sides,
// the centre tiled over the middle. Borders wider than the rectangle shrink to fit. Nothing
// is drawn in state 0 when draw-mode bit 1 is set, for a rectangle below 2 x 2, or for an
// entry without a manager. The background's offsets must already include the item's position.
void DrawBorderMask(TBitmap& target, const TRect& rect, FillCentre fillCentre, CornerFlag corners, int state,
                    const TsMaskData& entry, const ParentBackground& background);

// The push button's border pass over its whole face. Key-coloured corner pixels are left
// unwritten and, when a region is given, cut out of it row run by row run, so the button's
// window region leaves its round corners out.
void DrawButtonMask(TBitmap& face, TRegion* region, FillCentre fillCentre, int state,
                    const TsMaskData& entry);
