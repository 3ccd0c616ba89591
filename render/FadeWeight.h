#pragma once

#include <algorithm>
#include <cstdint>

// The old face's weight in the frame of a fade level: 255 - level * 256 div steps, held in
// 0..255 (the frame of the last level shows the new face). Callers make sure steps is not 0.
constexpr std::uint8_t FadeWeight(std::int32_t level, std::int32_t steps) {
    const std::int64_t w = 255 - (std::int64_t(level) * 256) / steps;
    return std::uint8_t(std::clamp<std::int64_t>(w, 0, 255));
}
