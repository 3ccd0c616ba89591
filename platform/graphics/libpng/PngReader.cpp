#include "platform/graphics/PngReader.h"

#include <cstring>
#include <png.h>

namespace {

std::optional<TBitmap> DecodePng(std::span<const std::uint8_t> data, png_uint_32 format,
                                 TPixelFormat pixels) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return std::nullopt;
    if (image.width == 0 || image.height == 0 || image.width > png_uint_32(MaxPngSide) ||
        image.height > png_uint_32(MaxPngSide)) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = format;
    TBitmap bitmap(int(image.width), int(image.height), pixels);
    const png_int_32 stride = png_int_32(bitmap.RowStep());
    if (!png_image_finish_read(&image, nullptr, bitmap.ScanLine(0), stride, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return bitmap;
}

} // namespace

std::optional<TBitmap> ReadPng(std::span<const std::uint8_t> data) {
    return DecodePng(data, PNG_FORMAT_BGR, TPixelFormat::pf24bit);
}

std::optional<TBitmap> ReadPngWithOpacity(std::span<const std::uint8_t> data) {
    return DecodePng(data, PNG_FORMAT_BGRA, TPixelFormat::pf32bit);
}
