#include "platform/text/TFont.h"

#include <cstdint>

namespace {

// a * b / c rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c) {
    const std::int64_t product = std::int64_t(a) * b;
    const std::int64_t half = c / 2;
    const std::int64_t q = product >= 0 ? (product + half) / c : (product - half) / c;
    return int(q);
}

} // namespace

int TFont::Size() const {
    return -MulDiv(m_height, 72, PixelsPerInch);
}

void TFont::SetSize(int points) {
    m_height = -MulDiv(points, PixelsPerInch, 72);
}
