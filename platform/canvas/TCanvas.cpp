// TCanvas: clip state, fills and lines, focus rectangle, polygons, smooth-shaded
// triangles, block copies and the area-averaging stretch. The text methods live in
// TCanvasText.cpp so that pictures can be drawn without the text renderer.
//
// Sections: state and clipping; pixel helpers; fills, lines and outlines; polygons and
// triangles; block copy; stretch.

#include "platform/canvas/TCanvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "platform/graphics/SystemColors.h"

// ---------------------------------------------------------------- state and clipping

TCanvas::TCanvas(TBitmap& target) : m_target(&target) {
    m_state.Clip = TRegion(target.BoundsRect());
}

void TCanvas::OffsetOrigin(int dx, int dy) {
    m_state.Origin.X += dx;
    m_state.Origin.Y += dy;
}

TRect TCanvas::ClipBox() const {
    return m_state.Clip.Bounds().Offset(-m_state.Origin.X, -m_state.Origin.Y);
}

void TCanvas::IntersectClipRect(const TRect& r) {
    m_state.Clip.Intersect(ToDevice(r));
}

void TCanvas::ExcludeClipRect(const TRect& r) {
    m_state.Clip.Subtract(ToDevice(r));
}

void TCanvas::IntersectClipRegion(const TRegion& region) {
    TRegion device = region;
    device.Offset(m_state.Origin.X, m_state.Origin.Y);
    m_state.Clip.Intersect(device);
}

void TCanvas::Save() {
    m_saved.push_back(m_state);
}

void TCanvas::Restore() {
    // An unmatched Restore keeps the current state rather than failing.
    if (m_saved.empty()) return;
    m_state = std::move(m_saved.back());
    m_saved.pop_back();
}

TRect TCanvas::ToDevice(const TRect& r) const {
    return r.Offset(m_state.Origin.X, m_state.Origin.Y);
}

// ---------------------------------------------------------------- pixel helpers

namespace {

bool IsDrawable(const TBitmap& b) {
    return b.PixelFormat() == TPixelFormat::pf24bit || b.PixelFormat() == TPixelFormat::pf32bit;
}

struct Bgr {
    std::uint8_t B, G, R;
};

Bgr ToBgr(TColor c) {
    c = ColorToRGB(c);
    return {GetBValue(c), GetGValue(c), GetRValue(c)};
}

// Writes one colour over a horizontal run; the caller has clipped it to the bitmap.
void FillRun(TBitmap& b, int y, int x0, int x1, Bgr c) {
    const int bpp = b.BytesPerPixel();
    std::uint8_t* p = b.ScanLine(y) + std::ptrdiff_t(x0) * bpp;
    if (bpp == 3) {
        for (int x = x0; x < x1; ++x, p += 3) {
            p[0] = c.B;
            p[1] = c.G;
            p[2] = c.R;
        }
    } else {
        for (int x = x0; x < x1; ++x, p += 4) {
            p[0] = c.B;
            p[1] = c.G;
            p[2] = c.R;
            p[3] = 0;
        }
    }
}

void PutPixel(TBitmap& b, int x, int y, Bgr c) {
    std::uint8_t* p = b.ScanLine(y) + std::ptrdiff_t(x) * b.BytesPerPixel();
    p[0] = c.B;
    p[1] = c.G;
    p[2] = c.R;
}

// Reads a pixel of any format as blue, green, red; the caller has checked the bounds.
Bgr ReadPixel(const TBitmap& b, int x, int y) {
    const std::uint8_t* row = b.ScanLine(y);
    switch (b.PixelFormat()) {
    case TPixelFormat::pf8bit: {
        const TColor c = b.GetPixel(x, y);
        return {GetBValue(c), GetGValue(c), GetRValue(c)};
    }
    case TPixelFormat::pf24bit:
        return {row[x * 3], row[x * 3 + 1], row[x * 3 + 2]};
    case TPixelFormat::pf32bit:
        return {row[x * 4], row[x * 4 + 1], row[x * 4 + 2]};
    }
    return {0, 0, 0};
}

} // namespace

template <typename Fn> void TCanvas::ForEachClipped(const TRect& deviceRect, Fn&& fn) {
    if (deviceRect.IsEmpty() || !IsDrawable(*m_target)) return;
    for (const TRect& clip : m_state.Clip.Rects()) {
        const TRect part = clip.Intersect(deviceRect).Intersect(m_target->BoundsRect());
        if (!part.IsEmpty()) fn(part);
    }
}

TRect TCanvas::VisibleBounds() const {
    return m_state.Clip.Bounds().Intersect(m_target->BoundsRect());
}

bool TCanvas::IsVisible(int deviceX, int deviceY) const {
    return IsDrawable(*m_target) && m_target->BoundsRect().Contains(TPoint{deviceX, deviceY}) &&
           m_state.Clip.Contains({deviceX, deviceY});
}

// ---------------------------------------------------------------- fills, lines and outlines

void TCanvas::FillRect(const TRect& r, TColor c) {
    const Bgr colour = ToBgr(c);
    ForEachClipped(ToDevice(r), [&](const TRect& part) {
        // The first row is built pixel by pixel, the others are copies of it.
        FillRun(*m_target, part.Top, part.Left, part.Right, colour);
        const int bpp = m_target->BytesPerPixel();
        const std::size_t bytes = std::size_t(part.Width()) * std::size_t(bpp);
        const std::uint8_t* first = m_target->ScanLine(part.Top) + std::ptrdiff_t(part.Left) * bpp;
        for (int y = part.Top + 1; y < part.Bottom; ++y)
            std::memcpy(m_target->ScanLine(y) + std::ptrdiff_t(part.Left) * bpp, first, bytes);
    });
}

void TCanvas::FrameRect(const TRect& r, TColor c) {
    if (r.IsEmpty()) return;
    FillRect({r.Left, r.Top, r.Right, r.Top + 1}, c);
    FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, c);
    FillRect({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, c);
    FillRect({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, c);
}

void TCanvas::Line(int x1, int y1, int x2, int y2, TColor c) {
    const Bgr colour = ToBgr(c);
    x1 += m_state.Origin.X;
    x2 += m_state.Origin.X;
    y1 += m_state.Origin.Y;
    y2 += m_state.Origin.Y;
    const TRect bounds{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
    if (!bounds.Intersects(VisibleBounds())) return;
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        if (IsVisible(x, y)) PutPixel(*m_target, x, y, colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void TCanvas::SetPixel(int x, int y, TColor c) {
    x += m_state.Origin.X;
    y += m_state.Origin.Y;
    if (IsVisible(x, y)) PutPixel(*m_target, x, y, ToBgr(c));
}

TColor TCanvas::GetPixel(int x, int y) const {
    return m_target->GetPixel(x + m_state.Origin.X, y + m_state.Origin.Y);
}

void TCanvas::DrawFocusRect(const TRect& r) {
    if (r.IsEmpty()) return;
    const TRect d = ToDevice(r);
    // The dots start at the rectangle's top-left pixel and alternate along every side, so
    // drawing the same rectangle twice restores the picture.
    auto invert = [&](int x, int y) {
        if (((x - d.Left) + (y - d.Top)) % 2 != 0 || !IsVisible(x, y)) return;
        std::uint8_t* p = m_target->ScanLine(y) + std::ptrdiff_t(x) * m_target->BytesPerPixel();
        p[0] ^= 0xFF;
        p[1] ^= 0xFF;
        p[2] ^= 0xFF;
    };
    for (int x = d.Left; x < d.Right; ++x)
        invert(x, d.Top);
    if (d.Bottom - 1 > d.Top)
        for (int x = d.Left; x < d.Right; ++x)
            invert(x, d.Bottom - 1);
    for (int y = d.Top + 1; y < d.Bottom - 1; ++y) {
        invert(d.Left, y);
        if (d.Right - 1 > d.Left) invert(d.Right - 1, y);
    }
}

// ---------------------------------------------------------------- polygons and triangles

void TCanvas::FillPolygon(std::span<const TPoint> points, TColor c, TFillRule rule) {
    if (points.size() < 3) return;
    const Bgr colour = ToBgr(c);
    const double ox = m_state.Origin.X;
    const double oy = m_state.Origin.Y;
    double minY = points[0].Y + oy;
    double maxY = minY;
    for (const TPoint& p : points) {
        minY = std::min(minY, p.Y + oy);
        maxY = std::max(maxY, p.Y + oy);
    }
    // Only the rows the clip reaches are scanned.
    const TRect visible = VisibleBounds();
    const int top = std::max(visible.Top, static_cast<int>(std::floor(minY)));
    const int bottom = std::min(visible.Bottom, static_cast<int>(std::ceil(maxY)));
    struct Crossing {
        double X;
        int Winding;
    };
    std::vector<Crossing> crossings;
    for (int y = top; y < bottom; ++y) {
        // Pixels are sampled at their own coordinates, as lines are drawn, so an outline
        // drawn over the fill meets it without gaps. An edge covers the rows in [y0, y1).
        const double yc = y;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % points.size()];
            const double ay = a.Y + oy;
            const double by = b.Y + oy;
            if (ay == by) continue;
            const bool down = ay < by;
            const double y0 = down ? ay : by;
            const double y1 = down ? by : ay;
            if (yc < y0 || yc >= y1) continue;
            const double t = (yc - ay) / (by - ay);
            crossings.push_back({a.X + ox + t * (b.X - a.X), down ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& l, const Crossing& r) { return l.X < r.X; });
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += rule == TFillRule::frEvenOdd ? 1 : crossings[i].Winding;
            const bool inside = rule == TFillRule::frEvenOdd ? (winding % 2) != 0 : winding != 0;
            if (!inside) continue;
            // Pixels in [xa, xb) are inside: left edges belong to the polygon, right ones do not.
            const int x0 = static_cast<int>(std::ceil(crossings[i].X));
            const int x1 = static_cast<int>(std::ceil(crossings[i + 1].X));
            ForEachClipped({x0, y, x1, y + 1},
                           [&](const TRect& part) { FillRun(*m_target, y, part.Left, part.Right, colour); });
        }
    }
}

void TCanvas::Polygon(std::span<const TPoint> points, TColor c) {
    if (points.empty()) return;
    FillPolygon(points, c, TFillRule::frEvenOdd);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        Line(a.X, a.Y, b.X, b.Y, c);
    }
    // Line leaves out its last point; the closing point of the outline is drawn here.
    SetPixel(points[0].X, points[0].Y, c);
}

void TCanvas::GradientFillTriangle(const TTriVertex& a, const TTriVertex& b, const TTriVertex& c) {
    if (!IsDrawable(*m_target)) return;
    const double ax = a.X + m_state.Origin.X, ay = a.Y + m_state.Origin.Y;
    const double bx = b.X + m_state.Origin.X, by = b.Y + m_state.Origin.Y;
    const double cx = c.X + m_state.Origin.X, cy = c.Y + m_state.Origin.Y;
    const double area = (bx - ax) * (cy - ay) - (cx - ax) * (by - ay);
    if (area == 0) return;

    // Each channel is a plane over the triangle, evaluated at the pixel's own position so
    // that a pixel on a vertex gets that vertex's colour exactly; coverage tests the centre.
    auto plane = [&](double va, double vb, double vc) {
        const double gx = ((vb - va) * (cy - ay) - (vc - va) * (by - ay)) / area;
        const double gy = ((vc - va) * (bx - ax) - (vb - va) * (cx - ax)) / area;
        return std::array<double, 3>{gx, gy, va - gx * ax - gy * ay};
    };
    const std::array<std::array<double, 3>, 3> planes = {
        plane(a.Red, b.Red, c.Red), plane(a.Green, b.Green, c.Green), plane(a.Blue, b.Blue, c.Blue)};
    const std::array<std::uint16_t, 3> lo = {std::min({a.Red, b.Red, c.Red}),
                                             std::min({a.Green, b.Green, c.Green}),
                                             std::min({a.Blue, b.Blue, c.Blue})};
    const std::array<std::uint16_t, 3> hi = {std::max({a.Red, b.Red, c.Red}),
                                             std::max({a.Green, b.Green, c.Green}),
                                             std::max({a.Blue, b.Blue, c.Blue})};

    const TRect box{static_cast<int>(std::floor(std::min({ax, bx, cx}))),
                    static_cast<int>(std::floor(std::min({ay, by, cy}))),
                    static_cast<int>(std::ceil(std::max({ax, bx, cx}))),
                    static_cast<int>(std::ceil(std::max({ay, by, cy})))};
    const double sign = area > 0 ? 1.0 : -1.0;
    // Edges count as inside, so triangles that share an edge leave no gap between them.
    constexpr double kEdgeTolerance = 1e-9;
    auto edge = [](double x0, double y0, double x1, double y1, double px, double py) {
        return (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0);
    };
    ForEachClipped(box, [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            const double py = y + 0.5;
            for (int x = part.Left; x < part.Right; ++x) {
                const double px = x + 0.5;
                if (sign * edge(ax, ay, bx, by, px, py) < -kEdgeTolerance ||
                    sign * edge(bx, by, cx, cy, px, py) < -kEdgeTolerance ||
                    sign * edge(cx, cy, ax, ay, px, py) < -kEdgeTolerance)
                    continue;
                std::array<std::uint8_t, 3> channel{};
                for (std::size_t i = 0; i < 3; ++i) {
                    const double v = planes[i][0] * x + planes[i][1] * y + planes[i][2];
                    const double clamped = std::clamp(std::round(v), double(lo[i]), double(hi[i]));
                    channel[i] = static_cast<std::uint8_t>(static_cast<unsigned>(clamped) >> 8);
                }
                PutPixel(*m_target, x, y, {channel[2], channel[1], channel[0]});
            }
        }
    });
}

// ---------------------------------------------------------------- block copy

void TCanvas::CopyRect(TPoint dest, const TBitmap& source, const TRect& sourceRect) {
    if (&source == m_target) {
        // Overlapping copies within one bitmap read from a snapshot.
        const TBitmap snapshot = source;
        CopyRect(dest, snapshot, sourceRect);
        return;
    }
    // Cut the source rectangle to the source bitmap, moving the destination with it.
    const TRect src = sourceRect.Intersect(source.BoundsRect());
    if (src.IsEmpty()) return;
    const int shiftX = src.Left - sourceRect.Left;
    const int shiftY = src.Top - sourceRect.Top;
    const TRect destRect =
        ToDevice(TRect::FromBounds(dest.X + shiftX, dest.Y + shiftY, src.Width(), src.Height()));
    const int dx = src.Left - destRect.Left;
    const int dy = src.Top - destRect.Top;
    const bool sameFormat = source.PixelFormat() == m_target->PixelFormat();
    ForEachClipped(destRect, [&](const TRect& part) {
        const int bpp = m_target->BytesPerPixel();
        for (int y = part.Top; y < part.Bottom; ++y) {
            std::uint8_t* out = m_target->ScanLine(y) + std::ptrdiff_t(part.Left) * bpp;
            if (sameFormat) {
                const std::uint8_t* in = source.ScanLine(y + dy) + std::ptrdiff_t(part.Left + dx) * bpp;
                std::memcpy(out, in, std::size_t(part.Width()) * std::size_t(bpp));
                continue;
            }
            if (source.PixelFormat() == TPixelFormat::pf24bit && bpp == 4) {
                // The common case of a 24-bit face onto a 32-bit surface, without per-pixel calls.
                const std::uint8_t* in = source.ScanLine(y + dy) + std::ptrdiff_t(part.Left + dx) * 3;
                for (int x = part.Left; x < part.Right; ++x, out += 4, in += 3) {
                    out[0] = in[0];
                    out[1] = in[1];
                    out[2] = in[2];
                    out[3] = 0;
                }
                continue;
            }
            for (int x = part.Left; x < part.Right; ++x, out += bpp) {
                const Bgr p = ReadPixel(source, x + dx, y + dy);
                out[0] = p.B;
                out[1] = p.G;
                out[2] = p.R;
                if (bpp == 4) out[3] = 0;
            }
        }
    });
}

void TCanvas::CopyRect(TPoint dest, const TBitmap& source, const TRect& sourceRect, const TRegion& clip) {
    TCanvasSaver saver(*this);
    IntersectClipRegion(clip);
    CopyRect(dest, source, sourceRect);
}

// ---------------------------------------------------------------- stretch

namespace {

struct Tap {
    int Index;
    double Weight;
};

// For the destination pixels [first, first + count) of an axis destCount pixels long, the
// source pixels each one's footprint covers and how much of each; source pixels outside
// [0, sourceLimit) are left out.
std::vector<std::vector<Tap>> AreaTaps(int destCount, int first, int count, int sourceStart, int sourceCount,
                                       int sourceLimit) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(count));
    const double scale = static_cast<double>(sourceCount) / destCount;
    for (int d = first; d < first + count; ++d) {
        const double from = sourceStart + d * scale;
        const double to = sourceStart + (d + 1) * scale;
        const int lo = static_cast<int>(std::clamp(std::floor(from), 0.0, double(sourceLimit)));
        const int hi = static_cast<int>(std::clamp(std::ceil(to), 0.0, double(sourceLimit)));
        for (int s = lo; s < hi; ++s) {
            const double w = std::min<double>(to, s + 1) - std::max<double>(from, s);
            if (w > 1e-12) taps[static_cast<std::size_t>(d - first)].push_back({s, w});
        }
    }
    return taps;
}

} // namespace

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& source, const TRect& sourceRect) {
    if (dest.IsEmpty() || sourceRect.IsEmpty() || source.IsEmpty() || !IsDrawable(*m_target)) return;
    if (&source == m_target) {
        const TBitmap snapshot = source;
        StretchDraw(dest, snapshot, sourceRect);
        return;
    }
    const TRect d = ToDevice(dest);
    // Weights are worked out only for the part that can show.
    const TRect visible = d.Intersect(VisibleBounds());
    if (visible.IsEmpty()) return;
    const auto columns = AreaTaps(d.Width(), visible.Left - d.Left, visible.Width(), sourceRect.Left,
                                  sourceRect.Width(), source.Width());
    const auto rows = AreaTaps(d.Height(), visible.Top - d.Top, visible.Height(), sourceRect.Top,
                               sourceRect.Height(), source.Height());
    ForEachClipped(visible, [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            const auto& rowTaps = rows[static_cast<std::size_t>(y - visible.Top)];
            for (int x = part.Left; x < part.Right; ++x) {
                const auto& columnTaps = columns[static_cast<std::size_t>(x - visible.Left)];
                double b = 0, g = 0, r = 0, total = 0;
                for (const Tap& ty : rowTaps)
                    for (const Tap& tx : columnTaps) {
                        const double w = ty.Weight * tx.Weight;
                        const Bgr p = ReadPixel(source, tx.Index, ty.Index);
                        b += p.B * w;
                        g += p.G * w;
                        r += p.R * w;
                        total += w;
                    }
                // A pixel whose footprint lies wholly outside the source keeps its colour.
                if (total <= 0) continue;
                auto average = [total](double sum) {
                    return static_cast<std::uint8_t>(std::clamp(std::floor(sum / total + 0.5), 0.0, 255.0));
                };
                PutPixel(*m_target, x, y, {average(b), average(g), average(r)});
            }
        }
    });
}
