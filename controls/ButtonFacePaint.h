#pragma once

#include "platform/core/Geometry.h"
#include "render/Blend.h"

class TBitmap;
class TRegion;
class TWinControl;
class TsCommonData;

// What a push button's face is painted from: the button (size, position, parent, caption,
// font, colour, enabled state) and its binding (manager, section, indexes, face bitmap).
struct TButtonFaceRequest {
    TWinControl& Button;
    TsCommonData& Binding;
    int State = 0;
    bool WordWrap = false;
    // The button shows its focus (the dotted frame where the section's SHOWFOCUS asks for it).
    bool ShowsFocus = false;
    int FocusMargin = 1;
    TDisabledKinds DisabledKind = DefaultDisabledKinds;
    // Cut to the border mask's shape when given.
    TRegion* Region = nullptr;
};

// Builds a push button's face in the binding's face bitmap for one state: background layers
// over the parent's face or colour, the border mask (which also carves the region out of the
// key-coloured corner pixels), the caption and the disabled look. The one routine that makes
// a push button's face: the skinned push button and the standard buttons of a skinned form
// both paint through it. Returns the caption rectangle (before the focus margin); nothing is
// painted and an empty rectangle returned when the binding is not skinned.
TRect PaintButtonFace(const TButtonFaceRequest& request);
