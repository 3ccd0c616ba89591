#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "platform/graphics/TPixelBuffer.h"

enum class TPixelFormat { pf8bit, pf24bit, pf32bit };

// A plain device-independent bitmap: rows stored top-down, each padded to four bytes.
// 24-bit pixels are the bytes blue, green, red; 32-bit pixels add an unused fourth byte;
// 8-bit pixels index the palette, whose entries are colours (red in the low byte).
// A bitmap may have any size 0 or more in either direction.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    TSize Size() const { return {m_width, m_height}; }
    TRect BoundsRect() const { return {0, 0, m_width, m_height}; }
    bool IsEmpty() const { return m_width == 0 || m_height == 0; }
    TPixelFormat PixelFormat() const { return m_format; }
    int BytesPerPixel() const;
    // Distance in bytes from the start of one row to the start of the next.
    std::ptrdiff_t RowStep() const { return m_rowStep; }

    std::uint8_t* ScanLine(int y) { return m_pixels.Data() + std::ptrdiff_t(y) * m_rowStep; }
    const std::uint8_t* ScanLine(int y) const { return m_pixels.Data() + std::ptrdiff_t(y) * m_rowStep; }

    // Resizes to the new size; the content becomes black (palette index 0 for 8-bit).
    void SetSize(int width, int height);
    // Converts the pixels to the new format, keeping the picture. Converting to 8 bits
    // is not supported and leaves the bitmap unchanged.
    void SetPixelFormat(TPixelFormat format);

    const std::vector<TColor>& Palette() const { return m_palette; }
    void SetPalette(std::vector<TColor> palette) { m_palette = std::move(palette); }

    // The colour of a pixel (red in the low byte); clBlack outside the bitmap.
    TColor GetPixel(int x, int y) const;
    // Writes a colour; ignored outside the bitmap and for 8-bit bitmaps.
    void SetPixel(int x, int y, TColor c);
    // Fills the whole bitmap with one colour (for 8-bit: palette index c & 0xFF).
    void Fill(TColor c);

    friend bool operator==(const TBitmap&, const TBitmap&) = default;

private:
    int m_width = 0;
    int m_height = 0;
    TPixelFormat m_format = TPixelFormat::pf24bit;
    std::ptrdiff_t m_rowStep = 0;
    TPixelBuffer m_pixels;
    std::vector<TColor> m_palette;
};
