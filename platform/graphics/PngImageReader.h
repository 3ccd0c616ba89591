#pragma once

#include <cstdint>
#include <span>

#include "platform/graphics/TBitmap.h"

// Reads a PNG image with its opacity: a 32-bit bitmap whose fourth byte is each pixel's
// opacity (the form the program's icon takes). Empty for data that is not a PNG, is damaged,
// or is larger than MaxPngImageSide pixels on a side.
TBitmap ReadPngImageWithOpacity(std::span<const std::uint8_t> data);

inline constexpr int MaxPngImageSide = 16384;
