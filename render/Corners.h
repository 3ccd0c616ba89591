#pragma once

#include "platform/core/Geometry.h"
#include "render/BorderMask.h"

class TBitmap;
class TsCommonData;
struct TsMaskData;

// Corner images (IMGTOPLEFT ...) and the repainting of a finished face's corners.

// Draws the state's cell of a corner image with its top-left at the point. With a mask half,
// key pixels are skipped and the others mask-blended (fainter, the mask raised by 100, unless
// the corner flag is set). Without one, key pixels stay transparent; a master-bitmap image
// drawn without the corner flag is mixed half and half with the target.
void DrawCornerImage(TBitmap& target, TPoint point, int state, const TsMaskData& entry, CornerFlag corners);

// The corner set of RepaintCorners.
enum TCornerBits : unsigned {
    cnTopLeft = 1,
    cnBottomLeft = 2,
    cnTopRight = 4,
    cnBottomRight = 8,
    cnAllCorners = 15,
};

// Repaints the key-coloured pixels of the border mask's corners over an existing face with
// the parent's current background (its plain colour, or its face behind the control), for
// when the background changed but the face did not. Other pixels stay.
void RepaintCorners(TsCommonData& binding, int state, unsigned corners);
