#pragma once

#include <string_view>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "render/ParentBackground.h"

class TBitmap;
class TsSkinManager;

// The background layers of a face: the parent's background where the section is
// transparent, then the fill colour, the texture and the gradient with their shares. State
// 0 reads the normal values, any other state the hot ones. A custom colour (anything but
// fuchsia) replaces the fill colour and turns texture, gradient and transparency off. Without a
// manager the default manager's skin is used; an invalid section draws nothing. The
// background's offsets are those of the parent's client origin; position is the item's place
// in the parent.
void PaintLayers(int sectionIndex, std::string_view sectionName, const ParentBackground& background,
                 TColor customColor, int hotTextureIndex, int textureIndex, TsSkinManager* manager,
                 TBitmap& target, TPoint position, const TRect& rect, int state);
