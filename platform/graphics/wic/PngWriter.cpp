#include "platform/graphics/PngWriter.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/wic/WicImage.h"

#include <wincodec.h>

std::vector<std::uint8_t> WritePngToMemory(const TBitmap& bitmap) {
    if (bitmap.IsEmpty()) throw EInvalidGraphic("An empty bitmap cannot be stored as a PNG image");
    return EncodeWithWic(bitmap, GUID_ContainerFormatPng, -1.0f, "PNG encoding failed");
}
