#pragma once

#include "platform/core/Geometry.h"

class TCanvas;
class TWinControl;
class TsCommonData;

// Copying a container's face to the screen around its children, and painting its windowless
// children over it.

// Copies the face bitmap of a container (a control with child controls) to the canvas in one
// block: from the update rectangle's origin in the face to the clip rectangle, leaving out
// the rectangles (moved by offset) of the children that paint themselves there: windowed
// children, and opaque windowless ones unless windowless children are painted over the face.
// With repaintCorners the face's corners are first repainted over the parent's background.
// The toolkit has no windows without controls, so this one form serves every container.
void CopyFaceToScreen(TWinControl& control, TsCommonData& binding, const TRect& updateRect, TPoint offset,
                      bool repaintCorners, TCanvas& canvas, const TRect& clipRect);

// Paints the container's windowless children over its face: each child paints into a copy
// of the face behind it, and the result goes to the canvas at the child's position moved by
// offset.
void PaintGraphicChildren(TCanvas& canvas, TWinControl& container, TPoint offset);

// The process-wide switch under which windowless children are painted over a container's
// face (by PaintGraphicChildren) instead of being left out of its copy.
bool GraphicChildrenOverFace();
void SetGraphicChildrenOverFace(bool on);
