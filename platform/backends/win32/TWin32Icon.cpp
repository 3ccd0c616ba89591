#include "platform/backends/win32/TWin32Icon.h"

#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

TWin32Icon::TWin32Icon(const TBitmap& picture) {
    if (picture.IsEmpty() || picture.PixelFormat() != TPixelFormat::pf32bit || picture.RowStep() <= 0) return;
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = picture.Width();
    header.bV5Height = -picture.Height();
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!colour) return;
    const std::size_t row = std::size_t(picture.Width()) * 4;
    for (int y = 0; y < picture.Height(); ++y)
        std::memcpy(static_cast<std::uint8_t*>(bits) + row * std::size_t(y), picture.ScanLine(y), row);
    // The opacity comes from the colour bitmap's fourth byte; the mask only has to exist.
    const std::vector<std::uint8_t> clear(std::size_t((picture.Width() + 15) / 16 * 2) *
                                          std::size_t(picture.Height()));
    HBITMAP mask = CreateBitmap(picture.Width(), picture.Height(), 1, 1, clear.data());
    if (mask) {
        ICONINFO info{};
        info.fIcon = TRUE;
        info.hbmColor = colour;
        info.hbmMask = mask;
        m_icon = CreateIconIndirect(&info);
        DeleteObject(mask);
    }
    DeleteObject(colour);
}

TWin32Icon::~TWin32Icon() {
    if (m_icon) DestroyIcon(m_icon);
}

TWin32Icon::TWin32Icon(TWin32Icon&& other) noexcept : m_icon(std::exchange(other.m_icon, nullptr)) {}

TWin32Icon& TWin32Icon::operator=(TWin32Icon&& other) noexcept {
    if (this != &other) {
        if (m_icon) DestroyIcon(m_icon);
        m_icon = std::exchange(other.m_icon, nullptr);
    }
    return *this;
}
