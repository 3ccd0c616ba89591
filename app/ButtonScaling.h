#pragma once

#include <cstdint>

// The main screen's buttons are laid out for a window of this outer size and scaled to the
// window's real size.
inline constexpr int DesignWidth = 1032;
inline constexpr int DesignHeight = 748;

// One child control's design bounds, in the order they are recorded.
struct TLayoutRecord {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    friend bool operator==(const TLayoutRecord&, const TLayoutRecord&) = default;
};

// trunc(value * actual / design): the product is a 32-bit signed product (it wraps as the
// platform's integer arithmetic does), the quotient is taken in extended precision and
// truncated toward zero.
std::int32_t ScaleDesignValue(std::int32_t value, std::int32_t actual, std::int32_t design);

// A button's position and extent along one axis after scaling.
struct TAxisPlacement {
    std::int32_t Start = 0;
    std::int32_t Extent = 0;
    friend bool operator==(const TAxisPlacement&, const TAxisPlacement&) = default;
};

// Scales one axis of a design placement to the window's actual size; the extent is raised to
// minimumExtent (the caption's measure plus the margin) when it comes out smaller.
TAxisPlacement ScaleAxis(std::int32_t designStart, std::int32_t designExtent, std::int32_t actual,
                         std::int32_t design, std::int32_t minimumExtent);

// The margin added to a caption's measured width or height.
inline constexpr int CaptionMargin = 6;
