#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// Before the system's headers, whose colour macros would clash with the project's.
#include "platform/graphics/TBitmap.h"

#include <windows.h>

// Decoding and encoding single pictures held in memory through the Windows Imaging Component.

// Why a picture of the given size is refused before its pixels are decoded; empty to accept it.
using TWicSizeCheck = std::function<std::string(int width, int height)>;

// What a decoded picture keeps: its colours in a 24-bit bitmap, or its opacity too, as the
// fourth byte of a 32-bit one.
enum class TWicPixels { Opaque, WithOpacity };

// Decodes the first frame of an image of the given container format (GUID_ContainerFormat...)
// into a bitmap. Raises EInvalidGraphic (its message starting with what) for data of another
// format, damaged data and a size the check refuses.
TBitmap DecodeWithWic(std::span<const std::uint8_t> data, const GUID& container, const TWicSizeCheck& check,
                      const std::string& what, TWicPixels pixels = TWicPixels::Opaque);

// Encodes a bitmap (any format; stored as 24-bit blue, green, red) in the container format;
// a quality of 0 ... 1 is given to the encoder (JPEG), a negative one leaves its default. Raises
// EInvalidGraphic when it fails.
std::vector<std::uint8_t> EncodeWithWic(const TBitmap& bitmap, const GUID& container, float quality,
                                        const std::string& what);

// Raises EInvalidGraphic for a failed call, naming the result code.
[[noreturn]] void ThrowWicError(const std::string& what, HRESULT result);
