// Feeds arbitrary bytes to the bitmap file reader. Whatever it accepts must survive a
// write and a second read unchanged, and must be drawable onto a canvas.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/canvas/TCanvas.h"
#include "platform/core/Exceptions.h"
#include "platform/graphics/BmpCodec.h"

namespace {
// Pictures the harness decodes: run-length files can describe the reader's largest picture
// in a few bytes, and decoding, writing, re-reading and area-averaging one (every pixel is
// read for each step) would slow the search a hundredfold. 64 x 64 reaches every row and
// run layout; the reader's own limits are tested by its unit tests.
constexpr std::int64_t HarnessMaxPixels = std::int64_t(1) << 12;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TBitmap bitmap;
    try {
        const TBmpPictureInfo info = ReadBmpInfo(std::span<const std::uint8_t>(data, size));
        if (std::int64_t(info.Width) * info.Height > HarnessMaxPixels) return 0;
        bitmap = ReadBmp(std::span<const std::uint8_t>(data, size));
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    if (bitmap.IsEmpty()) std::abort();

    const TBitmap again = ReadBmp(WriteBmp(bitmap));
    if (!(again == bitmap)) std::abort();

    TBitmap target(7, 5);
    TCanvas canvas(target);
    canvas.Draw(-1, -2, bitmap);
    canvas.StretchDraw({1, 1, 6, 4}, bitmap, bitmap.BoundsRect());
    return 0;
}
