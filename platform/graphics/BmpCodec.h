#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "platform/graphics/TBitmap.h"

// Reading and writing device-independent bitmap files (".bmp").
//
// Read: 1-, 4- and 8-bit palettised files become pf8bit bitmaps with the file's palette
// (as many entries as the file holds); 24-bit files become pf24bit; 32-bit files (plain or
// with channel masks) become pf32bit; 16-bit files (5-5-5 or with channel masks) become
// pf24bit. Rows may be stored bottom-up or top-down; 4- and 8-bit files may be run-length
// compressed. Broken or truncated files and sizes beyond the limits below raise
// EInvalidGraphic, always before more than the limits allow is allocated.
//
// Write: pf8bit as a palettised file (8 bits, or 1 or 4 bits on request), pf24bit and
// pf32bit as uncompressed 24- and 32-bit files.

enum class TBmpRowOrder { BottomUp, TopDown };

struct TBmpWriteOptions {
    TBmpRowOrder RowOrder = TBmpRowOrder::BottomUp;
    // Bits per pixel for a pf8bit bitmap: 1, 4 or 8. Every pixel index and the palette must
    // fit in that many bits.
    int PaletteBits = 8;
};

// The largest picture a file may describe: no side above kMaxBmpSide pixels and no more
// than kMaxBmpPixels pixels in all.
constexpr int kMaxBmpSide = 1 << 16;
constexpr std::int64_t kMaxBmpPixels = std::int64_t(1) << 25;

TBitmap ReadBmp(std::span<const std::uint8_t> data);

// The picture a file describes, read from its headers alone (nothing is decoded): its size
// and the format ReadBmp gives it. Raises EInvalidGraphic as ReadBmp does for bad headers.
struct TBmpPictureInfo {
    int Width = 0;
    int Height = 0;
    TPixelFormat Format = TPixelFormat::pf24bit;
};
TBmpPictureInfo ReadBmpInfo(std::span<const std::uint8_t> data);
// Raises EFOpenError when the file cannot be read, EInvalidGraphic when it is not a bitmap.
TBitmap ReadBmpFile(const std::filesystem::path& path);

// Raises EInvalidGraphic for an empty bitmap or options the bitmap does not fit.
std::vector<std::uint8_t> WriteBmp(const TBitmap& bitmap, const TBmpWriteOptions& options = {});
// Raises EFCreateError when the file cannot be written.
void WriteBmpFile(const TBitmap& bitmap, const std::filesystem::path& path,
                  const TBmpWriteOptions& options = {});
