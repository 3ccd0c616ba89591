#include "platform/graphics/PngImageReader.h"

#include <png.h>

#include <cstring>

TBitmap ReadPngImageWithOpacity(std::span<const std::uint8_t> data) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return {};
    if (image.width == 0 || image.height == 0 || image.width > MaxPngImageSide ||
        image.height > MaxPngImageSide) {
        png_image_free(&image);
        return {};
    }
    image.format = PNG_FORMAT_BGRA;
    TBitmap picture(int(image.width), int(image.height), TPixelFormat::pf32bit);
    if (!png_image_finish_read(&image, nullptr, picture.ScanLine(0), png_int_32(picture.RowStep()),
                               nullptr)) {
        png_image_free(&image);
        return {};
    }
    return picture;
}
