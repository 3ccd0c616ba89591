#include "app/ProgramIcon.h"

#include <cstddef>
#include <cstring>
#include <png.h>

extern const unsigned char ProgramIconPng[];
extern const std::size_t ProgramIconPng_size;

TBitmap ProgramIcon() {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, ProgramIconPng, ProgramIconPng_size)) return {};
    image.format = PNG_FORMAT_BGRA;
    TBitmap icon(int(image.width), int(image.height), TPixelFormat::pf32bit);
    if (!png_image_finish_read(&image, nullptr, icon.ScanLine(0), png_int_32(icon.RowStep()), nullptr)) {
        png_image_free(&image);
        return {};
    }
    return icon;
}
