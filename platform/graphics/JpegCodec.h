#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/graphics/TBitmap.h"

// Decodes a whole JPEG file held in memory into a 24-bit bitmap (grey and CMYK pictures are
// converted to colour). Damaged or truncated data (whatever the decoder warns of as
// corrupt, and on every platform what the markers show: see JpegLayout.h), pictures larger
// than MaxJpegPixels and progressive pictures whose scans would cost more than
// MaxJpegScanWork raise EInvalidGraphic, the last two before anything is decoded; the
// decoder never reads outside the given bytes.
TBitmap ReadJpeg(std::span<const std::uint8_t> data);

// The scans (start-of-scan markers) of a JPEG file up to its end-of-image marker, counted
// without decoding (ReadJpegLayout's count).
int CountJpegScans(std::span<const std::uint8_t> data);

// Encodes a 24- or 32-bit bitmap (8-bit ones go through their palette) as a baseline JPEG.
// Skin authors' tools and tests use it; the program itself only reads JPEGs.
std::vector<std::uint8_t> WriteJpeg(const TBitmap& bitmap, int quality = 90);

// The largest picture ReadJpeg accepts, in pixels, and the largest side.
inline constexpr std::int64_t MaxJpegPixels = 16LL * 1024 * 1024;
inline constexpr int MaxJpegSide = 16384;
// Every scan of a progressive picture passes over the whole picture, so the decoding work is
// bounded by scans times pixels: 32 scans of the largest picture (common encoders write 10),
// more for smaller ones, and never more than MaxJpegScans.
inline constexpr std::int64_t MaxJpegScanWork = 32 * MaxJpegPixels;
inline constexpr int MaxJpegScans = 1000;
