#include "controls/LabelGlow.h"

#include <algorithm>
#include <cstring>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/TBitmap.h"

namespace {

std::size_t GridSize(int width, int height) {
    return std::size_t(width + 2) * std::size_t(height + 2);
}

std::uint8_t ComposeChannel(int pixel, int shadow, int a) {
    return std::uint8_t((pixel * (255 - a) + shadow * a) >> 8);
}

} // namespace

std::uint8_t* PrepareGlowMask(std::vector<std::uint8_t>& buffer, int width, int height) {
    const std::size_t size = 2 * GridSize(width, height);
    if (buffer.size() < size) buffer.resize(size);
    std::fill_n(buffer.begin(), size, std::uint8_t(0));
    return buffer.data();
}

void StampGlowMask(std::uint8_t* cells, const TBitmap& shape) {
    if (shape.PixelFormat() != TPixelFormat::pf32bit) return;
    const int width = shape.Width();
    const std::size_t stride = std::size_t(width + 2);
    for (int y = 0; y < shape.Height(); ++y) {
        const std::uint8_t* pixel = shape.ScanLine(y);
        std::uint8_t* cell = cells + (std::size_t(y) + 1) * stride + 1;
        for (int x = 0; x < width; ++x)
            if (pixel[std::size_t(x) * 4] != 0) cell[x] = 255;
    }
}

void BlurGlowMask(std::uint8_t* cells, int width, int height) {
    const std::size_t stride = std::size_t(width + 2);
    for (int y = 1; y <= height; ++y) {
        std::uint8_t* row = cells + std::size_t(y) * stride;
        const std::uint8_t* up = row - stride;
        const std::uint8_t* down = row + stride;
        // Each cell reads its left neighbour as this pass left it, so the row runs in order.
        for (int x = 1; x <= width; ++x)
            row[x] = std::uint8_t((up[x] + down[x] + row[x - 1] + row[x + 1]) >> 2);
    }
}

void CopyCanvasUnder(TBitmap& glow, const TCanvas& canvas) {
    const TBitmap& under = canvas.Target();
    if (glow.PixelFormat() != TPixelFormat::pf32bit || under.PixelFormat() == TPixelFormat::pf8bit) return;
    const TPoint origin = canvas.Origin();
    const TRect source =
        TRect::FromBounds(origin.X, origin.Y, glow.Width(), glow.Height()).Intersect(under.BoundsRect());
    if (source.IsEmpty()) return;
    const int bpp = under.BytesPerPixel();
    for (int y = source.Top; y < source.Bottom; ++y) {
        const std::uint8_t* in = under.ScanLine(y) + std::ptrdiff_t(source.Left) * bpp;
        std::uint8_t* out = glow.ScanLine(y - origin.Y) + std::ptrdiff_t(source.Left - origin.X) * 4;
        for (int x = source.Left; x < source.Right; ++x, in += bpp, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
}

void ComposeGlowOverPixels(TBitmap& glow, const std::uint8_t* cells, TGlowColour shadow) {
    if (glow.PixelFormat() != TPixelFormat::pf32bit) return;
    const std::size_t stride = std::size_t(glow.Width() + 2);
    for (int y = 0; y < glow.Height(); ++y) {
        std::uint8_t* pixel = glow.ScanLine(y);
        const std::uint8_t* cell = cells + (std::size_t(y) + 1) * stride + 1;
        for (int x = 0; x < glow.Width(); ++x, pixel += 4) {
            const int a = cell[x];
            pixel[0] = ComposeChannel(pixel[0], shadow.Blue, a);
            pixel[1] = ComposeChannel(pixel[1], shadow.Green, a);
            pixel[2] = ComposeChannel(pixel[2], shadow.Red, a);
        }
    }
}

void ComposeGlowOverColour(TBitmap& glow, const std::uint8_t* cells, TGlowColour shadow,
                           TGlowColour background) {
    if (glow.PixelFormat() != TPixelFormat::pf32bit) return;
    const std::size_t stride = std::size_t(glow.Width() + 2);
    for (int y = 0; y < glow.Height(); ++y) {
        std::uint8_t* pixel = glow.ScanLine(y);
        const std::uint8_t* cell = cells + (std::size_t(y) + 1) * stride + 1;
        for (int x = 0; x < glow.Width(); ++x, pixel += 4) {
            const int a = cell[x];
            pixel[0] = ComposeChannel(background.Blue, shadow.Blue, a);
            pixel[1] = ComposeChannel(background.Green, shadow.Green, a);
            pixel[2] = ComposeChannel(background.Red, shadow.Red, a);
        }
    }
}
