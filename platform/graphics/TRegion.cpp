#include "platform/graphics/TRegion.h"

#include <algorithm>

namespace {

// Appends the parts of a that lie outside b: at most four disjoint bands.
void AppendDifference(const TRect& a, const TRect& b, std::vector<TRect>& out) {
    const TRect common = a.Intersect(b);
    if (common.IsEmpty()) {
        out.push_back(a);
        return;
    }
    if (a.Top < common.Top) out.push_back({a.Left, a.Top, a.Right, common.Top});
    if (common.Bottom < a.Bottom) out.push_back({a.Left, common.Bottom, a.Right, a.Bottom});
    if (a.Left < common.Left) out.push_back({a.Left, common.Top, common.Left, common.Bottom});
    if (common.Right < a.Right) out.push_back({common.Right, common.Top, a.Right, common.Bottom});
}

} // namespace

TRegion::TRegion(const TRect& r) {
    if (!r.IsEmpty()) m_rects.push_back(r);
}

TRect TRegion::Bounds() const {
    TRect bounds;
    for (const TRect& r : m_rects)
        bounds = bounds.Union(r);
    return bounds;
}

bool TRegion::Contains(TPoint p) const {
    return std::any_of(m_rects.begin(), m_rects.end(), [p](const TRect& r) { return r.Contains(p); });
}

void TRegion::Subtract(const TRect& r) {
    if (r.IsEmpty()) return;
    std::vector<TRect> result;
    result.reserve(m_rects.size() + 4);
    for (const TRect& own : m_rects)
        AppendDifference(own, r, result);
    m_rects = std::move(result);
}

void TRegion::Subtract(const TRegion& other) {
    for (const TRect& r : other.m_rects)
        Subtract(r);
}

void TRegion::Union(const TRect& r) {
    if (r.IsEmpty()) return;
    // Only the parts of r that are not covered yet are added, so the rectangles stay disjoint.
    std::vector<TRect> pieces{r};
    for (const TRect& own : m_rects) {
        std::vector<TRect> next;
        for (const TRect& piece : pieces)
            AppendDifference(piece, own, next);
        pieces = std::move(next);
        if (pieces.empty()) return;
    }
    m_rects.insert(m_rects.end(), pieces.begin(), pieces.end());
}

void TRegion::Union(const TRegion& other) {
    for (const TRect& r : other.m_rects)
        Union(r);
}

void TRegion::Intersect(const TRect& r) {
    std::vector<TRect> result;
    for (const TRect& own : m_rects) {
        const TRect common = own.Intersect(r);
        if (!common.IsEmpty()) result.push_back(common);
    }
    m_rects = std::move(result);
}

void TRegion::Intersect(const TRegion& other) {
    // Both sets are disjoint, so the pairwise intersections are disjoint too.
    std::vector<TRect> result;
    for (const TRect& own : m_rects)
        for (const TRect& r : other.m_rects) {
            const TRect common = own.Intersect(r);
            if (!common.IsEmpty()) result.push_back(common);
        }
    m_rects = std::move(result);
}

void TRegion::Offset(int dx, int dy) {
    for (TRect& r : m_rects)
        r = r.Offset(dx, dy);
}

long long TRegion::Area() const {
    long long area = 0;
    for (const TRect& r : m_rects)
        area += static_cast<long long>(r.Width()) * r.Height();
    return area;
}

bool TRegion::SameArea(const TRegion& other) const {
    TRegion rest = *this;
    rest.Subtract(other);
    if (!rest.IsEmpty()) return false;
    rest = other;
    rest.Subtract(*this);
    return rest.IsEmpty();
}
