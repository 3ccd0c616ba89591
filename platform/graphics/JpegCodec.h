#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/graphics/TBitmap.h"

// Decodes a whole JPEG file held in memory into a 24-bit bitmap (grey and CMYK pictures are
// converted to colour). Damaged or truncated data, and pictures larger than
// MaxJpegPixels, raise EInvalidGraphic; the decoder never reads outside the given bytes.
TBitmap ReadJpeg(std::span<const std::uint8_t> data);

// Encodes a 24- or 32-bit bitmap (8-bit ones go through their palette) as a baseline JPEG.
// Skin authors' tools and tests use it; the program itself only reads JPEGs.
std::vector<std::uint8_t> WriteJpeg(const TBitmap& bitmap, int quality = 90);

// The largest picture ReadJpeg accepts, in pixels, and the largest side.
inline constexpr std::int64_t MaxJpegPixels = 16LL * 1024 * 1024;
inline constexpr int MaxJpegSide = 16384;
