#pragma once

#include <vector>

#include "platform/core/Geometry.h"
#include "platform/graphics/TRegion.h"

// The rectangles a window backend copies for damaged within bounds: its own, or their
// bounding box when there are so many that one copy costs less than a copy per rectangle.
std::vector<TRect> RectsToPresent(const TRegion& damaged, const TRect& bounds);
