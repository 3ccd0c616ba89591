#include "platform/graphics/PngReader.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/wic/WicImage.h"

#include <wincodec.h>

std::optional<TBitmap> ReadPng(std::span<const std::uint8_t> data) {
    const auto withinSides = [](int width, int height) -> std::string {
        return width <= MaxPngSide && height <= MaxPngSide ? "" : "picture too large";
    };
    try {
        return DecodeWithWic(data, GUID_ContainerFormatPng, withinSides, "PNG error");
    } catch (const EInvalidGraphic&) {
        return std::nullopt;
    }
}
