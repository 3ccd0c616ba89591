#pragma once

#include <cstddef>
#include <vector>

#include "platform/core/Geometry.h"

// One horizontal run [Left, Right) of a band.
struct TRegionSpan {
    int Left = 0;
    int Right = 0;
    friend bool operator==(const TRegionSpan&, const TRegionSpan&) = default;
};

// Adds a span that starts no further left than the last one, joining it to the last span when
// they overlap or touch.
inline void AddSpan(std::vector<TRegionSpan>& spans, TRegionSpan next) {
    if (!spans.empty() && next.Left <= spans.back().Right) {
        if (next.Right > spans.back().Right) spans.back().Right = next.Right;
    } else {
        spans.push_back(next);
    }
}

// Appends bands (rows of equal height holding sorted, disjoint, non-touching spans) to a
// region's rectangle list, top to bottom. A band that continues the one above with the same
// spans only lengthens it, so every set of pixels comes out as one and the same list.
class TRegionBandWriter {
public:
    explicit TRegionBandWriter(std::vector<TRect>& out) : m_out(out) {}

    // Callers give bands in increasing y that do not overlap the ones written before.
    void Append(int top, int bottom, const std::vector<TRegionSpan>& spans);

private:
    std::vector<TRect>& m_out;
    std::size_t m_lastBand = 0;
    bool m_hasBand = false;
};
