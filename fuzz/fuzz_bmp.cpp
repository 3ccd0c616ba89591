// Feeds arbitrary bytes to the bitmap file reader. Whatever it accepts must survive a
// write and a second read unchanged, and must be drawable onto a canvas.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/canvas/TCanvas.h"
#include "platform/core/Exceptions.h"
#include "platform/graphics/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TBitmap bitmap;
    try {
        bitmap = ReadBmp(std::span<const std::uint8_t>(data, size));
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    if (bitmap.IsEmpty()) std::abort();

    const TBitmap again = ReadBmp(WriteBmp(bitmap));
    if (!(again == bitmap)) std::abort();

    // Run-length files can describe large pictures in few bytes; drawing those would only
    // slow the search down.
    if (std::int64_t(bitmap.Width()) * bitmap.Height() > (1 << 20)) return 0;
    TBitmap target(7, 5);
    TCanvas canvas(target);
    canvas.Draw(-1, -2, bitmap);
    canvas.StretchDraw({1, 1, 6, 4}, bitmap, bitmap.BoundsRect());
    return 0;
}
