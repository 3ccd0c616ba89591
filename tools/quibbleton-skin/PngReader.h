#pragma once

#include <optional>
#include <string>

#include "platform/graphics/TBitmap.h"

// Reads a PNG file into a 24-bit bitmap (alpha dropped, grey and palette images expanded).
// Nothing for a file that is missing, not a PNG, damaged, or larger than 16384 pixels on a
// side.
std::optional<TBitmap> ReadPngFile(const std::string& path);
