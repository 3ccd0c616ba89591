#pragma once

#include "platform/core/Geometry.h"
#include "skin/SkinRecords.h"

class TBitmap;

// Paints a gradient description of a section into a rectangle of a 24-bit bitmap. The kind of
// the first segment chooses the rendering: 0 vertical (each row one colour, the segments
// stacked from top to bottom), 1 horizontal (each column one colour, the segments side by
// side), 2 four-corner (the start colours of up to five segments at the corners and the
// centre, shaded over four triangles). The rectangle is cut to the bitmap; an empty list,
// an empty rectangle or another kind draws nothing.
void PaintGradient(TBitmap& target, const TRect& rect, const TsGradArray& segments);

// True for the kinds that PaintGradientRows paints (vertical and horizontal).
bool PaintsGradientRows(const TsGradArray& segments);
// Paints rows first, first + 1 ... of the gradient that PaintGradient paints into a rectangle
// of the given size at (0, 0), from row 0 of the band down, as many as the band holds: the same
// pixels, a band at a time, with black where PaintGradient leaves a pixel alone. The four-corner
// kind draws nothing here.
void PaintGradientRows(TBitmap& band, TSize size, int first, const TsGradArray& segments);
