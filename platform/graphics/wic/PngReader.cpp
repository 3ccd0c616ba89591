#include "platform/graphics/PngReader.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/wic/WicImage.h"

#include <wincodec.h>

namespace {

std::optional<TBitmap> Decode(std::span<const std::uint8_t> data, TWicPixels pixels) {
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
    return Decode(data, TWicPixels::Colour);
}

TBitmap ReadPngImageWithOpacity(std::span<const std::uint8_t> data) {
    return Decode(data, TWicPixels::ColourAndOpacity).value_or(TBitmap());
}
