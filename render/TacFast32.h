#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/core/Color.h"

class TBitmap;

// Reads colours from a 32-bit bitmap (blue, green, red and an ignored fourth byte) through its first row
// pointer and row step. One shared instance serves the painting loops, so nothing is allocated per item.
class TacFast32 {
public:
    static TacFast32& Shared();

    // False (and detached) for a bitmap that is not 32-bit or is below 2 x 2 pixels.
    bool Attach(const TBitmap& bitmap);
    void Detach();
    bool Attached() const { return m_first != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // The colour at (x, y), red in the low byte. Callers must stay inside the bitmap.
    TColor Pixel(int x, int y) const {
        const std::uint8_t* p = m_first + std::ptrdiff_t(y) * m_rowStep + std::ptrdiff_t(x) * 4;
        return TColor(p[2]) | (TColor(p[1]) << 8) | (TColor(p[0]) << 16);
    }

private:
    const std::uint8_t* m_first = nullptr;
    std::ptrdiff_t m_rowStep = 0;
    int m_width = 0;
    int m_height = 0;
};
