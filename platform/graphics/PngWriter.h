#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/graphics/TBitmap.h"

// PNG output for screenshots: every bitmap is stored as 8-bit RGB without alpha (the
// unused byte of 32-bit pixels is dropped, palettised pixels are expanded).

// Raises EInvalidGraphic for an empty bitmap or when the encoder fails.
std::vector<std::uint8_t> WritePngToMemory(const TBitmap& bitmap);
// Raises EInvalidGraphic as above and EFCreateError when the file cannot be written.
void WritePng(const TBitmap& bitmap, const std::filesystem::path& path);
