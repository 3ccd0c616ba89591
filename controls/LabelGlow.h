#pragma once

#include <cstdint>
#include <vector>

class TBitmap;
class TCanvas;

// The effect label's glow, step by step. The glow mask is a grid of (W + 2) x (H + 2) byte
// cells around a W x H bitmap: bitmap pixel (x, y) is cell (x + 1, y + 1), and the border
// cells stay 0 so that the blur reads no neighbours outside the grid.

// The channels of the glow's colour.
struct TGlowColour {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
};

// The largest glow (in bitmap pixels) a label builds; a larger label draws its text without one.
inline constexpr std::int64_t MaxGlowPixels = std::int64_t(1) << 24;

// Makes the buffer hold the grid of a W x H bitmap: it grows to twice the grid's size when it
// is smaller (it never shrinks) and that whole size is cleared. Returns the grid's first cell.
std::uint8_t* PrepareGlowMask(std::vector<std::uint8_t>& buffer, int width, int height);

// Every cell whose bitmap pixel has a non-zero blue byte becomes 255 (32-bit shape bitmap).
void StampGlowMask(std::uint8_t* cells, const TBitmap& shape);

// One blur pass in place: each inner cell, rows from the top and cells from the left, becomes
// the sum of its four neighbours shifted right by 2; the cells above and to the left have
// already been replaced in this pass when it reads them.
void BlurGlowMask(std::uint8_t* cells, int width, int height);

// Puts what lies under the canvas's origin into the 32-bit bitmap (the label's own rectangle
// on its parent's surface); parts outside the canvas's target stay as they are.
void CopyCanvasUnder(TBitmap& glow, const TCanvas& canvas);

// Composes the glow colour into the 32-bit bitmap by the cells' weights a (n = 255 - a):
// over the bitmap's own pixels, pixel = (pixel * n + S * a) >> 8; the fourth byte stays.
void ComposeGlowOverPixels(TBitmap& glow, const std::uint8_t* cells, TGlowColour shadow);
// The same over a plain background colour: pixel = (S * a + n * background) >> 8.
void ComposeGlowOverColour(TBitmap& glow, const std::uint8_t* cells, TGlowColour shadow,
                           TGlowColour background);
