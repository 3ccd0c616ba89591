#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/Geometry.h"

class TCanvas;

// Painting of the classic native look with the system colours: 3-D edges, push-button faces,
// window frames and title bars. Callers set the canvas origin and clip.
namespace ClassicLook {

enum class TEdge { Raised, Sunken, Etched, Bump };

// A two-pixel 3-D edge just inside r; returns the rectangle inside it.
TRect DrawEdge(TCanvas& canvas, const TRect& r, TEdge edge);
// One-pixel bevel: light top-left, dark bottom-right.
void DrawBevel(TCanvas& canvas, const TRect& r, std::uint32_t light, std::uint32_t dark);

struct TButtonLook {
    bool Pushed = false;
    bool IsDefault = false; // the dialog's active default button: a black outline
    bool Focused = false;
    bool Enabled = true;
    bool WordWrap = false;
};
// A whole push button (face, bevel, caption with its accelerator underline, focus rectangle).
void DrawPushButton(TCanvas& canvas, const TRect& r, const std::string& caption, const TButtonLook& look);

// Text drawn disabled: a highlight copy one pixel down-right under a shadow copy.
void DrawDisabledText(TCanvas& canvas, std::string_view text, TRect rect, unsigned flags);

enum class TCaptionButtonKind { Close, Maximize, Restore, Minimize, Help };
// A title-bar button with its glyph.
void DrawCaptionButton(TCanvas& canvas, const TRect& r, TCaptionButtonKind kind, bool pushed, bool enabled);

} // namespace ClassicLook
