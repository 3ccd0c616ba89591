#include "platform/graphics/TRegion.h"

#include <algorithm>
#include <climits>

#include "platform/graphics/TRegionBandWriter.h"

namespace {

using TSpans = std::vector<TRegionSpan>;

// The rectangles [begin, End()) of one band of a rectangle list.
struct TBandCursor {
    const std::vector<TRect>& Rects;
    std::size_t Begin = 0;

    bool AtEnd() const { return Begin >= Rects.size(); }
    const TRect& First() const { return Rects[Begin]; }
    std::size_t End() const {
        std::size_t end = Begin;
        while (end < Rects.size() && Rects[end].Top == Rects[Begin].Top)
            ++end;
        return end;
    }
    // Whether the band covers row y; false past the last band or above the next one.
    bool Covers(long long y) const { return !AtEnd() && First().Top <= y; }
    // Where what the cursor shows at y changes next.
    long long NextEdge(long long y) const {
        if (AtEnd()) return LLONG_MAX;
        return Covers(y) ? First().Bottom : First().Top;
    }
    void Spans(long long y, TSpans& out) const {
        out.clear();
        if (!Covers(y)) return;
        for (std::size_t i = Begin, end = End(); i < end; ++i)
            out.push_back({Rects[i].Left, Rects[i].Right});
    }
    void Advance(long long y) {
        if (Covers(y) && First().Bottom <= y) Begin = End();
    }
};

void UniteSpans(const TSpans& a, const TSpans& b, TSpans& out) {
    out.clear();
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        AddSpan(out, (j >= b.size() || (i < a.size() && a[i].Left <= b[j].Left)) ? a[i++] : b[j++]);
    }
}

void IntersectSpans(const TSpans& a, const TSpans& b, TSpans& out) {
    out.clear();
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const int left = std::max(a[i].Left, b[j].Left), right = std::min(a[i].Right, b[j].Right);
        if (left < right) out.push_back({left, right});
        if (a[i].Right < b[j].Right)
            ++i;
        else
            ++j;
    }
}

void SubtractSpans(const TSpans& a, const TSpans& b, TSpans& out) {
    out.clear();
    std::size_t j = 0;
    for (const TRegionSpan& span : a) {
        int left = span.Left;
        while (j < b.size() && b[j].Right <= left)
            ++j;
        for (std::size_t k = j; k < b.size() && b[k].Left < span.Right; ++k) {
            if (b[k].Left > left) out.push_back({left, b[k].Left});
            left = std::max(left, b[k].Right);
        }
        if (left < span.Right) out.push_back({left, span.Right});
    }
}

} // namespace

TRegion::TRegion(const TRect& r) {
    if (!r.IsEmpty()) m_rects.push_back(r);
}

TRect TRegion::Bounds() const {
    if (m_rects.empty()) return {};
    TRect bounds{INT_MAX, m_rects.front().Top, INT_MIN, m_rects.back().Bottom};
    for (const TRect& r : m_rects) {
        bounds.Left = std::min(bounds.Left, r.Left);
        bounds.Right = std::max(bounds.Right, r.Right);
    }
    return bounds;
}

bool TRegion::Contains(TPoint p) const {
    // Bottoms never decrease from band to band, so the band holding row y starts at the
    // first rectangle that ends below it.
    auto it =
        std::partition_point(m_rects.begin(), m_rects.end(), [p](const TRect& r) { return r.Bottom <= p.Y; });
    if (it == m_rects.end() || it->Top > p.Y) return false;
    for (const int top = it->Top; it != m_rects.end() && it->Top == top && it->Left <= p.X; ++it)
        if (p.X < it->Right) return true;
    return false;
}

void TRegion::Combine(const std::vector<TRect>& other, TOperation operation) {
    std::vector<TRect> result;
    result.reserve(m_rects.size() + other.size());
    TRegionBandWriter writer(result);
    TBandCursor a{m_rects}, b{other};
    TSpans spansA, spansB, spans;
    long long y = std::min(a.NextEdge(LLONG_MIN), b.NextEdge(LLONG_MIN));
    while (!a.AtEnd() || !b.AtEnd()) {
        if (a.AtEnd() && operation != TOperation::Union) break;
        if (b.AtEnd() && operation == TOperation::Intersect) break;
        const long long next = std::min(a.NextEdge(y), b.NextEdge(y));
        a.Spans(y, spansA);
        b.Spans(y, spansB);
        switch (operation) {
        case TOperation::Union:
            UniteSpans(spansA, spansB, spans);
            break;
        case TOperation::Subtract:
            SubtractSpans(spansA, spansB, spans);
            break;
        case TOperation::Intersect:
            IntersectSpans(spansA, spansB, spans);
            break;
        }
        writer.Append(int(y), int(next), spans);
        y = next;
        a.Advance(y);
        b.Advance(y);
    }
    m_rects = std::move(result);
}

void TRegion::Subtract(const TRect& r) {
    if (!r.IsEmpty() && !m_rects.empty()) Combine({r}, TOperation::Subtract);
}

void TRegion::Subtract(const TRegion& other) {
    if (!other.IsEmpty() && !m_rects.empty()) Combine(other.m_rects, TOperation::Subtract);
}

void TRegion::Union(const TRect& r) {
    if (!r.IsEmpty()) Combine({r}, TOperation::Union);
}

void TRegion::Union(const TRegion& other) {
    if (!other.IsEmpty()) Combine(other.m_rects, TOperation::Union);
}

void TRegion::Intersect(const TRect& r) {
    if (r.IsEmpty())
        m_rects.clear();
    else
        Combine({r}, TOperation::Intersect);
}

void TRegion::Intersect(const TRegion& other) {
    Combine(other.m_rects, TOperation::Intersect);
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
