#include "render/Blend.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/graphics/SystemColors.h"
#include "platform/graphics/TBitmap.h"
#include "platform/canvas/TCanvas.h"
#include "platform/toolkit/TControl.h"
#include "render/ParentColors.h"
#include "render/PixelRows.h"
#include "render/TacFastSum24.h"

namespace {

// Round to nearest with ties to even (the default rounding mode), held in 0..255.
std::uint8_t RoundByte(double v) {
    const double r = std::nearbyint(v);
    return std::uint8_t(r < 0 ? 0 : (r > 255 ? 255 : r));
}

bool IsPaintable24(const TBitmap& b) {
    return b.PixelFormat() == TPixelFormat::pf24bit && b.Width() >= 2 && b.Height() >= 2;
}

void GreyFace(TBitmap& face) {
    for (int y = 0; y < face.Height(); ++y) {
        std::uint8_t* p = face.ScanLine(y);
        for (int x = 0; x < face.Width(); ++x, p += 3) {
            const std::uint8_t mean = std::uint8_t((p[0] + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = mean;
        }
    }
}

// Each face pixel keeps 40 percent against the parent pixel behind it. A row ends where the
// parent's face ends.
void BlendWithParentFace(TBitmap& face, TPoint position, const ParentBackground& background) {
    const TBitmap& parent = *background.Bitmap;
    const int bpp = PixelRows::ReadableBytesPerPixel(parent);
    if (bpp == 0) return;
    for (int y = 0; y < face.Height(); ++y) {
        const long long py = (long long)background.OffsetY + position.Y + y;
        if (py < 0 || py >= parent.Height()) continue;
        const std::uint8_t* row = parent.ScanLine(int(py));
        std::uint8_t* p = face.ScanLine(y);
        for (int x = 0; x < face.Width(); ++x, p += 3) {
            const long long px = (long long)background.OffsetX + position.X + x;
            if (px < 0 || px >= parent.Width()) break;
            const std::uint8_t* q = row + px * bpp;
            for (int c = 0; c < 3; ++c)
                p[c] = RoundByte(q[c] - 0.4 * (q[c] - p[c]));
        }
    }
}

} // namespace

std::uint8_t PercentToAlpha(std::int64_t percent) {
    return std::uint8_t(std::clamp<std::int64_t>(percent * 255 / 100, 0, 255));
}

void BlendBitmaps(TBitmap& target, const TBitmap& source, TBlendAlpha alpha, TPoint targetPoint,
                  const TRect& sourceRect) {
    TacFastSum24& sum = TacFastSum24::Shared();
    if (!sum.Attach(source, target)) return;
    sum.BlendRect(sourceRect, targetPoint, alpha);
    sum.Detach();
}

void BlendBitmaps(TBitmap& target, const TBitmap& source, std::uint8_t alpha) {
    if (target.Size() != source.Size()) return;
    BlendBitmaps(target, source, TBlendAlpha::All(alpha), {0, 0}, source.BoundsRect());
}

void BlendWithColor(TBitmap& bitmap, const TRect& rect, int percent, TColor colour) {
    if (!IsPaintable24(bitmap)) return;
    const TRect r = rect.Intersect(bitmap.BoundsRect());
    if (r.IsEmpty()) return;
    const TColor c = ColorToRGB(colour);
    const double f = percent / 100.0;
    // The rule depends only on the byte and the channel, so one table per channel holds it.
    std::array<std::array<std::uint8_t, 256>, 3> table;
    const int channel[3] = {GetBValue(c), GetGValue(c), GetRValue(c)};
    for (int k = 0; k < 3; ++k)
        for (int v = 0; v < 256; ++v)
            table[k][v] = RoundByte(f * v + (1 - f) * channel[k]);
    for (int y = r.Top; y < r.Bottom; ++y) {
        std::uint8_t* p = bitmap.ScanLine(y) + std::ptrdiff_t(r.Left) * 3;
        for (int x = 0; x < r.Width(); ++x, p += 3) {
            p[0] = table[0][p[0]];
            p[1] = table[1][p[1]];
            p[2] = table[2][p[2]];
        }
    }
}

TColor MixColors(TColor a, TColor b, double x) {
    auto mix = [x](int ca, int cb) { return RoundByte(x * (ca - cb) + cb); };
    return (a & 0xFF000000u) | MakeColor(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                                         mix(GetBValue(a), GetBValue(b)));
}

void FillWithColor(TCanvas& canvas, const TRect& rect, TColor colour) {
    TCanvasSaver saver(canvas);
    canvas.FillRect(rect, ColorToRGB(colour));
}

void ApplyDisabledLook(TBitmap& face, TDisabledKinds kinds, const TControl* parent, TPoint position,
                       const ParentBackground& background) {
    if (!IsPaintable24(face)) return;
    if (kinds.Has(TDisabledKind::dkGrayed)) GreyFace(face);
    if (!kinds.Has(TDisabledKind::dkBlended)) return;
    if (background.Ready && background.Bitmap) {
        BlendWithParentFace(face, position, background);
        return;
    }
    TColor colour = ParentFillColor();
    if (!IsKnownColor(colour)) {
        if (!parent) return;
        colour = ColorToRGB(parent->Color());
    }
    BlendWithColor(face, face.BoundsRect(), 50, colour);
}
