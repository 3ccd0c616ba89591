#include "render/Gradient.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/graphics/TBitmap.h"
#include "platform/canvas/TCanvas.h"
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

void PaintVertical(TBitmap& target, const TRect& r, const TsGradArray& segments) {
    const int height = r.Height();
    const int lastRow = r.Bottom - 1;
    const std::size_t rowBytes = std::size_t(r.Width()) * 3;
    const std::uint8_t* previous = nullptr;
    TColor previousColour = 0;
    int e = r.Top;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const bool last = i + 1 == segments.size();
        const int s = e;
        e = last ? lastRow : std::min(segments[i].Percent * height / 100 + s, lastRow);
        const int steps = e - s;
        if (steps <= 0) continue;
        ChannelRamp ramp(segments[i].Color1, segments[i].Color2, steps);
        for (int y = s; y <= e; ++y) {
            const TColor colour = ramp.Next();
            std::uint8_t* row = target.ScanLine(y) + std::ptrdiff_t(r.Left) * 3;
            // Rows of one colour are copied from the row above.
            if (previous == row && colour == previousColour) continue;
            if (previous && colour == previousColour)
                std::memcpy(row, previous, rowBytes);
            else
                PixelRows::FillRow(row, colour, r.Width());
            previous = row;
            previousColour = colour;
        }
    }
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
