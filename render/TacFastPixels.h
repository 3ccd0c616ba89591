#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/core/Color.h"
#include "platform/graphics/TBitmap.h"

// Reads colours from a 24- or 32-bit bitmap (blue, green, red, and for 32 bits an ignored
// fourth byte) through its first row pointer and row step. One shared instance per format
// serves the painting loops, so nothing is allocated per item.
template <TPixelFormat Format, int BytesPerPixel> class TacFastPixels {
public:
    static TacFastPixels& Shared() {
        static TacFastPixels instance;
        return instance;
    }

    // False (and detached) for a bitmap of another format or below 2 x 2 pixels.
    bool Attach(const TBitmap& bitmap) {
        Detach();
        if (bitmap.PixelFormat() != Format || bitmap.Width() < 2 || bitmap.Height() < 2) return false;
        m_first = bitmap.ScanLine(0);
        m_rowStep = bitmap.ScanLine(1) - bitmap.ScanLine(0);
        m_width = bitmap.Width();
        m_height = bitmap.Height();
        return true;
    }
    void Detach() { *this = TacFastPixels(); }
    bool Attached() const { return m_first != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // The colour at (x, y), red in the low byte. Callers must stay inside the bitmap.
    TColor Pixel(int x, int y) const {
        const std::uint8_t* p = m_first + std::ptrdiff_t(y) * m_rowStep + std::ptrdiff_t(x) * BytesPerPixel;
        return TColor(p[2]) | (TColor(p[1]) << 8) | (TColor(p[0]) << 16);
    }

private:
    const std::uint8_t* m_first = nullptr;
    std::ptrdiff_t m_rowStep = 0;
    int m_width = 0;
    int m_height = 0;
};
