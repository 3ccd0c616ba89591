#pragma once

#include "platform/graphics/TBitmap.h"

// Converts a bitmap to 24 bits per pixel in place; palettised bitmaps go through their
// palette row by row (entries beyond the palette become black).
void ConvertTo24Bits(TBitmap& bitmap);
