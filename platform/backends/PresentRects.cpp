#include "platform/backends/PresentRects.h"

namespace {

// Past this many rectangles the per-rectangle requests cost more than the pixels between them.
constexpr std::size_t MaxRectsCopiedApart = 32;

} // namespace

std::vector<TRect> RectsToPresent(const TRegion& damaged, const TRect& bounds) {
    TRegion clipped = damaged;
    clipped.Intersect(bounds);
    if (clipped.Rects().size() > MaxRectsCopiedApart) return {clipped.Bounds()};
    return clipped.Rects();
}
