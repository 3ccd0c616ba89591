#include "platform/graphics/JpegCodec.h"

#include <algorithm>
#include <string>

#include "platform/core/Exceptions.h"
#include "platform/graphics/JpegLayout.h"
#include "platform/graphics/wic/WicImage.h"

#include <wincodec.h>

TBitmap ReadJpeg(std::span<const std::uint8_t> data) {
    if (data.empty()) throw EInvalidGraphic("JPEG image is empty");
    // The imaging component decodes damaged data without a word and cannot be stopped
    // between scans, so the markers are checked and the work bounded before it starts.
    const TJpegLayout layout = ReadJpegLayout(data);
    if (!layout.Damage.empty()) throw EInvalidGraphic("JPEG error: " + layout.Damage);
    const std::string fault = JpegBoundsFault(layout.Width, layout.Height, layout.Scans);
    if (!fault.empty()) throw EInvalidGraphic("JPEG error: " + fault);
    const auto sameFrame = [&layout](int width, int height) -> std::string {
        return width == layout.Width && height == layout.Height ? "" : "picture too large";
    };
    return DecodeWithWic(data, GUID_ContainerFormatJpeg, sameFrame, "JPEG error");
}

std::vector<std::uint8_t> WriteJpeg(const TBitmap& bitmap, int quality) {
    if (bitmap.IsEmpty()) throw EInvalidGraphic("JPEG image cannot be empty");
    return EncodeWithWic(bitmap, GUID_ContainerFormatJpeg, float(std::clamp(quality, 0, 100)) / 100.0f,
                         "JPEG encoding failed");
}
