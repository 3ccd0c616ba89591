#pragma once

#include <cstdint>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "platform/core/TFlagSet.h"
#include "render/ParentBackground.h"

class TBitmap;
class TCanvas;
class TControl;

// Blending, colour mixing and the disabled look: the small colour rules that the face
// painters share.

// Weights of the target per channel in BlendBitmaps: 255 keeps the target, 0 takes the source.
struct TBlendAlpha {
    std::uint8_t B = 0;
    std::uint8_t G = 0;
    std::uint8_t R = 0;
    static constexpr TBlendAlpha All(std::uint8_t a) { return {a, a, a}; }
};

// A percentage of a skin (0..100) as a blend weight: percent * 255 div 100, held in 0..255.
std::uint8_t PercentToAlpha(std::int64_t percent);

// Blends a rectangle of the source onto the target at the point, per channel:
// Dst = (Dst * a + Src * (255 - a) + 127) shr 8. The rectangle is cut to the source and, placed at
// the point, to the target (a negative point moves the source origin). Both bitmaps must be
// 24-bit and at least 2 x 2, else nothing happens.
void BlendBitmaps(TBitmap& target, const TBitmap& source, TBlendAlpha alpha, TPoint targetPoint,
                  const TRect& sourceRect);
// The whole-bitmap form of the fade frames: both of one size (else nothing), one alpha.
void BlendBitmaps(TBitmap& target, const TBitmap& source, std::uint8_t alpha);

// Every channel of the rectangle (cut to the bitmap) becomes round(f * Dst + (1 - f) * C) with
// f = percent / 100, ties to even: the picture keeps percent and the colour the rest.
void BlendWithColor(TBitmap& bitmap, const TRect& rect, int percent, TColor colour);

// Each channel round(x * (a - b) + b), ties to even; the result keeps the top byte of a.
TColor MixColors(TColor a, TColor b, double x);

// Fills the rectangle with a solid colour (system colours resolved); the canvas's state is
// saved and restored around it.
void FillWithColor(TCanvas& canvas, const TRect& rect, TColor colour);

enum class TDisabledKind : std::uint8_t { dkBlended, dkGrayed };
using TDisabledKinds = TFlagSet<TDisabledKind>;
inline constexpr TDisabledKinds DefaultDisabledKinds{TDisabledKind::dkBlended};

// The look of a disabled control over its finished face. dkGrayed: each pixel becomes the
// mean of its three bytes. dkBlended (after greying): with the parent's face ready, each pixel
// keeps 40 percent against the parent pixel behind it (at the item's position); otherwise the
// face is blended half and half with ParentFillColor, or the parent control's colour when that
// is unknown.
void ApplyDisabledLook(TBitmap& face, TDisabledKinds kinds, const TControl* parent, TPoint position,
                       const ParentBackground& background);
