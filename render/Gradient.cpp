#include "render/Gradient.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/TBitmap.h"
#include "render/PixelRows.h"

namespace {

// The colour ramp of one segment: the channels run in single-precision accumulators that
// step by double-precision increments, each value rounded to nearest with ties to even.
class ChannelRamp {
public:
    ChannelRamp(TColor from, TColor to, int steps) {
        const int start[3] = {GetRValue(from), GetGValue(from), GetBValue(from)};
        const int end[3] = {GetRValue(to), GetGValue(to), GetBValue(to)};
        for (int c = 0; c < 3; ++c) {
            m_acc[c] = float(start[c]);
            m_inc[c] = double(end[c] - start[c]) / steps;
        }
    }

    // The current colour; then every accumulator takes one step.
    TColor Next() {
        std::uint8_t v[3];
        for (int c = 0; c < 3; ++c) {
            const float r = std::nearbyint(m_acc[c]);
            v[c] = std::uint8_t(r < 0 ? 0 : (r > 255 ? 255 : r));
            m_acc[c] = float(double(m_acc[c]) + m_inc[c]);
        }
        return MakeColor(v[0], v[1], v[2]);
    }

private:
    float m_acc[3];
    double m_inc[3];
};

// What the vertical kind paints into each of height rows: a later segment repaints the row
// where the one before it ended, and a row no segment reaches keeps Unpainted.
constexpr TColor Unpainted = 0xFFFFFFFFu;

std::vector<TColor> VerticalRowColours(int height, const TsGradArray& segments) {
    std::vector<TColor> colours(std::size_t(std::max(height, 0)), Unpainted);
    const int lastRow = height - 1;
    int e = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const bool last = i + 1 == segments.size();
        const int s = e;
        e = last ? lastRow : std::min(segments[i].Percent * height / 100 + s, lastRow);
        const int steps = e - s;
        if (steps <= 0) continue;
        ChannelRamp ramp(segments[i].Color1, segments[i].Color2, steps);
        for (int y = s; y <= e; ++y)
            colours[std::size_t(y)] = ramp.Next();
    }
    return colours;
}

enum class UnpaintedRows { Keep, Black };

// Rows first .. first + rows - 1 of the vertical kind into the target's rows top ..., width
// pixels from column left. Rows of one colour are copied from the row above.
void PaintVerticalRows(TBitmap& target, int left, int top, int rows, int first, int width,
                       const std::vector<TColor>& colours, UnpaintedRows unpainted) {
    const std::size_t rowBytes = std::size_t(width) * 3;
    const std::uint8_t* previous = nullptr;
    TColor previousColour = Unpainted;
    for (int k = 0; k < rows; ++k) {
        const TColor colour = colours[std::size_t(first + k)];
        std::uint8_t* row = target.ScanLine(top + k) + std::ptrdiff_t(left) * 3;
        if (colour == Unpainted) {
            if (unpainted == UnpaintedRows::Black) std::memset(row, 0, rowBytes);
            continue;
        }
        if (previous && colour == previousColour)
            std::memcpy(row, previous, rowBytes);
        else
            PixelRows::FillRow(row, colour, width);
        previous = row;
        previousColour = colour;
    }
}

void PaintVertical(TBitmap& target, const TRect& r, const TsGradArray& segments) {
    PaintVerticalRows(target, r.Left, r.Top, r.Height(), 0, r.Width(),
                      VerticalRowColours(r.Height(), segments), UnpaintedRows::Keep);
}

void PaintHorizontalRow(std::uint8_t* row, const TRect& r, const TsGradArray& segments) {
    const int lastColumn = r.Right - 1;
    const double perPercent = r.Width() / 100.0;
    int x = r.Left;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const bool last = i + 1 == segments.size();
        const int j = x;
        x = last ? lastColumn
                 : std::min(int(std::nearbyint(segments[i].Percent * perPercent + j)), lastColumn);
        const int steps = x - j;
        if (steps <= 0) continue;
        ChannelRamp ramp(segments[i].Color1, segments[i].Color2, steps);
        std::uint8_t* p = row + std::ptrdiff_t(j) * 3;
        for (int k = j; k <= x; ++k, p += 3)
            PixelRows::Store(p, ramp.Next());
    }
}

// Every row of the horizontal kind comes out the same, so the first one is copied down.
void PaintHorizontal(TBitmap& target, const TRect& r, const TsGradArray& segments) {
    std::uint8_t* first = target.ScanLine(r.Top);
    PaintHorizontalRow(first, r, segments);
    const std::size_t bytes = std::size_t(r.Width()) * 3;
    for (int y = r.Top + 1; y < r.Bottom; ++y)
        std::memcpy(target.ScanLine(y) + std::ptrdiff_t(r.Left) * 3, first + std::ptrdiff_t(r.Left) * 3,
                    bytes);
}

TTriVertex Vertex(int x, int y, TColor c) {
    return {x,
            y,
            std::uint16_t(GetRValue(c) << 8),
            std::uint16_t(GetGValue(c) << 8),
            std::uint16_t(GetBValue(c) << 8),
            0};
}

void PaintFourCorner(TBitmap& target, const TRect& r, const TsGradArray& segments) {
    TColor colours[5];
    for (std::size_t k = 0; k < 5; ++k)
        colours[k] = k < segments.size() ? segments[k].Color1 : colours[k - 1];
    const TTriVertex topLeft = Vertex(r.Left, r.Top, colours[0]);
    const TTriVertex centre = Vertex(r.Left + r.Width() / 2, r.Top + r.Height() / 2, colours[1]);
    const TTriVertex topRight = Vertex(r.Right, r.Top, colours[2]);
    const TTriVertex bottomRight = Vertex(r.Right, r.Bottom, colours[3]);
    const TTriVertex bottomLeft = Vertex(r.Left, r.Bottom, colours[4]);
    TCanvas canvas(target);
    canvas.IntersectClipRect(r);
    canvas.GradientFillTriangle(topLeft, centre, topRight);
    canvas.GradientFillTriangle(centre, topRight, bottomRight);
    canvas.GradientFillTriangle(topLeft, centre, bottomLeft);
    canvas.GradientFillTriangle(bottomLeft, centre, bottomRight);
}

} // namespace

void PaintGradient(TBitmap& target, const TRect& rect, const TsGradArray& segments) {
    if (segments.empty() || target.PixelFormat() != TPixelFormat::pf24bit) return;
    const TRect r = rect.Intersect(target.BoundsRect());
    if (r.IsEmpty()) return;
    switch (segments.front().Mode) {
    case 0:
        PaintVertical(target, r, segments);
        break;
    case 1:
        PaintHorizontal(target, r, segments);
        break;
    case 2:
        PaintFourCorner(target, r, segments);
        break;
    default:
        break;
    }
}

bool PaintsGradientRows(const TsGradArray& segments) {
    return !segments.empty() && (segments.front().Mode == 0 || segments.front().Mode == 1);
}

void PaintGradientRows(TBitmap& band, TSize size, int first, const TsGradArray& segments) {
    if (!PaintsGradientRows(segments) || band.PixelFormat() != TPixelFormat::pf24bit) return;
    const int width = std::min(size.Width, band.Width());
    const int rows = std::min(band.Height(), size.Height - first);
    if (width <= 0 || rows <= 0 || first < 0) return;
    if (segments.front().Mode == 0) {
        PaintVerticalRows(band, 0, 0, rows, first, width, VerticalRowColours(size.Height, segments),
                          UnpaintedRows::Black);
        return;
    }
    // The horizontal kind paints every row alike, whatever its place in the rectangle; a column
    // no segment reaches stays black.
    std::memset(band.ScanLine(0), 0, std::size_t(width) * 3);
    PaintHorizontal(band, {0, 0, width, rows}, segments);
}
