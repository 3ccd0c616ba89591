#pragma once

#include <string_view>

#include "platform/core/Geometry.h"
#include "render/BorderMask.h"
#include "render/ParentBackground.h"

class TBitmap;
class TsCommonData;
class TsSkinManager;

// Whole faces: the layers, the border mask and the corner images of a section.

// The face of a bound control for a state (0 normal, 1 hot, 2 pressed) into the rectangle of
// the target (which must lie inside it). The shared parent colours are set from the parent
// for the layers and reset to fuchsia afterwards. Position is the item's place in its parent.
void PaintFace(TsCommonData& binding, const ParentBackground& background, FillCentre fillCentre,
               CornerFlag corners, int state, TBitmap& target, TPoint position, const TRect& rect);

// The same for a section that no control is bound to (frame pieces, scroll parts): corner
// images are drawn before the border mask, which is found by the name "BORDERSMASK". Without a
// manager the default manager's skin is used.
void PaintSectionFace(int sectionIndex, std::string_view sectionName, const ParentBackground& background,
                      int state, FillCentre fillCentre, TsSkinManager* manager, TBitmap& target,
                      TPoint position, const TRect& rect);
