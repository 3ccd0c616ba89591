#include "app/ProgramIcon.h"

#include <cstddef>

#include "platform/graphics/PngReader.h"

extern const unsigned char ProgramIconPng[];
extern const std::size_t ProgramIconPng_size;

TBitmap ProgramIcon() {
    return ReadPngWithOpacity(std::span(ProgramIconPng, ProgramIconPng_size)).value_or(TBitmap());
}
