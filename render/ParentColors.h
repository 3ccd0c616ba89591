#pragma once

#include "platform/core/Color.h"

// The two process-wide colours through which a parent's plain colour reaches the painting
// routines. Fuchsia means unknown. An item's painting sets them before it starts and resets
// both to fuchsia when it ends, so no colour survives from one item to the next. They belong
// to the user-interface thread.
//
// ParentFillColor: the colour behind the item, used to fill transparent parts instead of
// copying the parent's face. ParentKeyColor: the colour that key-coloured pixels of masks and
// masked textures take when the parent has no face.
TColor ParentFillColor();
void SetParentFillColor(TColor colour);
TColor ParentKeyColor();
void SetParentKeyColor(TColor colour);
// Both back to fuchsia (unknown).
void ResetParentColors();

// A colour value other than fuchsia, the unknown colour.
constexpr bool IsKnownColor(TColor colour) {
    return colour != clFuchsia;
}
