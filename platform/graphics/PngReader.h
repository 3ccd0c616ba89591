#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/graphics/TBitmap.h"

// Reads a PNG image into a 24-bit bitmap (alpha dropped, grey and palette images expanded).
// Nothing for data that is not a PNG, is damaged, or is larger than MaxPngSide pixels on a
// side; the file variant also gives nothing for a file that is missing or cannot be read.
std::optional<TBitmap> ReadPng(std::span<const std::uint8_t> data);
std::optional<TBitmap> ReadPngFile(const std::string& path);
// The same with each pixel's opacity: a 32-bit bitmap whose fourth byte is the opacity (the
// form the program's icon takes).
std::optional<TBitmap> ReadPngWithOpacity(std::span<const std::uint8_t> data);

inline constexpr int MaxPngSide = 16384;
