#pragma once

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"

class TCanvas;

// Painting of the classic scroll-bar parts with the system colours: arrow buttons (also the
// combo box's drop-down button and the up-down's halves) and a vertical scroll bar with its
// dithered track and thumb. Callers set the canvas origin and clip.
namespace ClassicLook {

enum class TArrowDirection { Up, Down, Left, Right };

// A solid arrow centred in r, sized to fit it (7 by 4 pixels in a 16-pixel button).
void DrawArrowGlyph(TCanvas& canvas, const TRect& r, TArrowDirection direction, TColor color);

// An arrow button: raised 3-D edge, or a flat one-pixel shadow frame with the glyph moved one
// pixel down and right while pushed; a disabled glyph is embossed.
void DrawArrowButton(TCanvas& canvas, const TRect& r, TArrowDirection direction, bool pushed, bool enabled);

// Where the parts of a vertical scroll bar lie for a list of count rows of which visible
// show, starting at row top.
struct TScrollBarLayout {
    TRect UpButton;
    TRect DownButton;
    TRect Track; // between the buttons
    TRect Thumb; // empty when the track is too short for one
};
TScrollBarLayout LayoutVerticalScrollBar(const TRect& r, int top, int visible, int count);

enum class TScrollBarPart { None, UpButton, DownButton, PageUp, PageDown, Thumb };
// The part of the scroll bar at p (None outside it).
TScrollBarPart ScrollBarPartAt(const TScrollBarLayout& layout, TPoint p);

// The whole scroll bar; pushed names the part shown pushed (an arrow button).
void DrawVerticalScrollBar(TCanvas& canvas, const TScrollBarLayout& layout, TScrollBarPart pushed,
                           bool enabled);

} // namespace ClassicLook
