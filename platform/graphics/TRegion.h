#pragma once

#include <vector>

#include "platform/core/Geometry.h"

// A set of pixels kept as disjoint rectangles: a rectangle from which rectangles may be
// subtracted (and to which they may be added). Used to clip copies and as a control's
// window region, which limits what the control shows.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& r);

    bool IsEmpty() const { return m_rects.empty(); }
    const std::vector<TRect>& Rects() const { return m_rects; }
    TRect Bounds() const;
    bool Contains(TPoint p) const;

    void Subtract(const TRect& r);
    void Subtract(const TRegion& other);
    void Union(const TRect& r);
    void Union(const TRegion& other);
    void Intersect(const TRect& r);
    void Intersect(const TRegion& other);
    void Offset(int dx, int dy);

    // The number of pixels covered.
    long long Area() const;
    // True when both regions cover the same pixels, however they are split into rectangles
    // (operator== compares the rectangle lists themselves).
    bool SameArea(const TRegion& other) const;

    friend bool operator==(const TRegion&, const TRegion&) = default;

private:
    std::vector<TRect> m_rects;
};
