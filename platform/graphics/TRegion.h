#pragma once

#include <vector>

#include "platform/core/Geometry.h"

class TRegionRows;

// A set of pixels kept as disjoint rectangles. Used to clip copies and as a control's window
// region, which limits what the control shows.
//
// The rectangles lie in bands, top to bottom: the rectangles of a band share their top and
// bottom and are sorted left to right without touching, and no band continues the one above
// it with the same runs. Every set of pixels has exactly one such list, and combining two
// regions is one sweep over their bands, in time that grows with their rectangles.
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
    // True when both regions cover the same pixels; the same as ==, since the rectangle list
    // of a set of pixels is unique.
    bool SameArea(const TRegion& other) const { return *this == other; }

    friend bool operator==(const TRegion&, const TRegion&) = default;

private:
    friend class TRegionRows;
    enum class TOperation { Union, Subtract, Intersect };
    void Combine(const std::vector<TRect>& other, TOperation operation);

    std::vector<TRect> m_rects;
};
