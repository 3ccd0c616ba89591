#include "skin/TsSkinLoadBudget.h"

#include <string>

void TsSkinLoadBudget::Charge(std::int64_t bytes, std::string_view what) {
    if (bytes < 0 || bytes > Remaining())
        throw ESkinTooLarge("The skin is refused: " + std::string(what) +
                            " would take the memory of the skin past " +
                            std::to_string(m_limit / (1024 * 1024)) + " MB");
    m_used += bytes;
}

std::int64_t BitmapBytes(std::int64_t width, std::int64_t height, TPixelFormat format) {
    std::int64_t perPixel = 3;
    if (format == TPixelFormat::pf8bit) perPixel = 1;
    if (format == TPixelFormat::pf32bit) perPixel = 4;
    return std::max<std::int64_t>(width, 0) * std::max<std::int64_t>(height, 0) * perPixel;
}
