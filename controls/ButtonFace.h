#pragma once

#include "platform/core/Geometry.h"

class TCanvas;

// The small rules of a push button's face that do not need the button: which of the three
// looks it shows, where its caption goes, and the dotted focus frame.

// The face states a skin paints: 0 normal, 1 hot, 2 pressed.
enum TButtonFaceStateIndex : int { bfsNormal = 0, bfsHot = 1, bfsPressed = 2 };

// What the face state is computed from.
struct TButtonFaceInputs {
    bool Pushed = false;       // the push state (mouse or Space held) or the forced-pressed flag
    bool MouseOver = false;    // the binding's MouseOver
    bool LeftHeld = false;     // the left mouse button is held on the button
    bool Down = false;         // the program keeps the button down
    bool DefaultLook = false;  // the dialog's active default button
    bool DefaultStyle = false; // the window style is that of a default push button
    bool Hot = false;          // the binding's IsHot: enabled and focused or under the pointer
};

// Pressed while pushed with the pointer over it (or not held by the mouse at all) and always
// while Down; else hot when it is the default, focused or under the pointer; else normal. A
// button held with the pointer dragged off it thus falls back to hot or normal.
int ButtonFaceState(const TButtonFaceInputs& in);

// The caption rectangle on a button of the size for a measured text extent: centred with one
// extra pixel on the left and two on the right, moved one pixel right and down when pressed.
TRect ButtonCaptionRect(TSize button, TSize text, int state);

// The dotted focus frame around a rectangle: black dots every third pixel along its edges with
// white dots one pixel up and left of them.
void DrawDottedFocusFrame(TCanvas& canvas, const TRect& rect);
