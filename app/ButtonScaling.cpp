#include "app/ButtonScaling.h"

#include <cmath>

std::int32_t ScaleDesignValue(std::int32_t value, std::int32_t actual, std::int32_t design) {
    const auto product =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(value) * static_cast<std::uint32_t>(actual));
    const long double quotient = static_cast<long double>(product) / static_cast<long double>(design);
    return static_cast<std::int32_t>(std::trunc(quotient));
}

TAxisPlacement ScaleAxis(std::int32_t designStart, std::int32_t designExtent, std::int32_t actual,
                         std::int32_t design, std::int32_t minimumExtent) {
    TAxisPlacement placement;
    placement.Start = ScaleDesignValue(designStart, actual, design);
    placement.Extent = ScaleDesignValue(designExtent, actual, design);
    if (placement.Extent < minimumExtent) placement.Extent = minimumExtent;
    return placement;
}
