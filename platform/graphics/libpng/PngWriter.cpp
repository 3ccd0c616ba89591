#include "platform/graphics/PngWriter.h"

#include <png.h>

#include <cstring>
#include <string>

#include "platform/core/Exceptions.h"

namespace {

// The encoder takes blue, green, red rows; other formats are converted first.
TBitmap As24Bit(const TBitmap& bitmap) {
    TBitmap converted = bitmap;
    converted.SetPixelFormat(TPixelFormat::pf24bit);
    return converted;
}

} // namespace

std::vector<std::uint8_t> WritePngToMemory(const TBitmap& bitmap) {
    if (bitmap.IsEmpty()) throw EInvalidGraphic("An empty bitmap cannot be stored as a PNG image");
    const TBitmap source = bitmap.PixelFormat() == TPixelFormat::pf24bit ? bitmap : As24Bit(bitmap);

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(source.Width());
    image.height = static_cast<png_uint_32>(source.Height());
    image.format = PNG_FORMAT_BGR;
    const auto stride = static_cast<png_int_32>(source.RowStep());

    // The first call measures, the second writes.
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, source.ScanLine(0), stride, nullptr))
        throw EInvalidGraphic(std::string("PNG encoding failed: ") + image.message);
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, source.ScanLine(0), stride, nullptr))
        throw EInvalidGraphic(std::string("PNG encoding failed: ") + image.message);
    png_image_free(&image);
    out.resize(size);
    return out;
}
