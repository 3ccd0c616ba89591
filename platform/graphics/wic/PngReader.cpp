#include "platform/graphics/PngReader.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/wic/WicImage.h"

#include <wincodec.h>

namespace {

std::optional<TBitmap> DecodePng(std::span<const std::uint8_t> data, TWicPixels pixels) {
    const auto withinSides = [](int width, int height) -> std::string {
        return width <= MaxPngSide && height <= MaxPngSide ? "" : "picture too large";
    };
    try {
        return DecodeWithWic(data, GUID_ContainerFormatPng, withinSides, "PNG error", pixels);
    } catch (const EInvalidGraphic&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<TBitmap> ReadPng(std::span<const std::uint8_t> data) {
    return DecodePng(data, TWicPixels::Opaque);
}

std::optional<TBitmap> ReadPngWithOpacity(std::span<const std::uint8_t> data) {
    return DecodePng(data, TWicPixels::WithOpacity);
}
