#include "platform/graphics/TBitmap.h"

#include <algorithm>
#include <stdexcept>

namespace {

std::ptrdiff_t RowStepFor(int width, int bytesPerPixel) {
    return ((std::ptrdiff_t(width) * bytesPerPixel + 3) / 4) * 4;
}

int BytesPerPixelOf(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::pf8bit:
        return 1;
    case TPixelFormat::pf24bit:
        return 3;
    case TPixelFormat::pf32bit:
        return 4;
    }
    return 3;
}

} // namespace

TBitmap::TBitmap(int width, int height, TPixelFormat format) : m_format(format) {
    SetSize(width, height);
}

int TBitmap::BytesPerPixel() const {
    return BytesPerPixelOf(m_format);
}

void TBitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0) throw std::invalid_argument("TBitmap: negative size");
    m_width = width;
    m_height = height;
    m_rowStep = RowStepFor(width, BytesPerPixel());
    const std::size_t bytes = std::size_t(m_rowStep) * std::size_t(height);
    m_pixels.AssignZeros(bytes);
    if (m_format == TPixelFormat::pf8bit && m_palette.empty()) m_palette.assign(256, clBlack);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == m_format || format == TPixelFormat::pf8bit) return;
    TBitmap converted(m_width, m_height, format);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            converted.SetPixel(x, y, GetPixel(x, y));
    *this = std::move(converted);
}

TColor TBitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return clBlack;
    const std::uint8_t* row = ScanLine(y);
    if (m_format == TPixelFormat::pf8bit) {
        const std::size_t index = row[x];
        return index < m_palette.size() ? m_palette[index] & 0xFFFFFF : clBlack;
    }
    const std::uint8_t* p = row + std::ptrdiff_t(x) * BytesPerPixel();
    return MakeColor(p[2], p[1], p[0]);
}

void TBitmap::SetPixel(int x, int y, TColor c) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_format == TPixelFormat::pf8bit) return;
    const int bpp = BytesPerPixel();
    std::uint8_t* p = ScanLine(y) + std::ptrdiff_t(x) * bpp;
    p[0] = GetBValue(c);
    p[1] = GetGValue(c);
    p[2] = GetRValue(c);
    if (bpp == 4) p[3] = 0;
}

void TBitmap::Fill(TColor c) {
    if (m_format == TPixelFormat::pf8bit) {
        m_pixels.Fill(std::uint8_t(c & 0xFF));
        return;
    }
    const int bpp = BytesPerPixel();
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* p = ScanLine(y);
        for (int x = 0; x < m_width; ++x, p += bpp) {
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
            if (bpp == 4) p[3] = 0;
        }
    }
}
