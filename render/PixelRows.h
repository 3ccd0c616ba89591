#pragma once

#include <cstdint>
#include <cstring>

#include "platform/core/Color.h"
#include "platform/graphics/TBitmap.h"

// Small per-row kernels of the painting routines. Each works on plain bytes of one row
// (blue, green, red per pixel) with a count, so that loops vectorise. None of them clips:
// callers must clip once before the rows.
namespace PixelRows {

inline bool IsKey(const std::uint8_t* p) {
    return p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF;
}

inline TColor Load(const std::uint8_t* p) {
    return MakeColor(p[2], p[1], p[0]);
}

inline void Store(std::uint8_t* p, TColor c) {
    p[0] = GetBValue(c);
    p[1] = GetGValue(c);
    p[2] = GetRValue(c);
}

// Every pixel of the row becomes the colour (red in the low byte).
inline void FillRow(std::uint8_t* dst, TColor c, int pixels) {
    if (pixels <= 0) return;
    Store(dst, c);
    // Doubling copies of the pattern: memcpy is the fastest painter there is.
    std::size_t done = 3;
    const std::size_t total = std::size_t(pixels) * 3;
    while (done < total) {
        const std::size_t n = done < total - done ? done : total - done;
        std::memcpy(dst + done, dst, n);
        done += n;
    }
}

// dst = (dst * a + src * (255 - a) + 127) >> 8 over count bytes, one alpha for all channels.
inline void BlendRow(std::uint8_t* __restrict dst, const std::uint8_t* __restrict src, unsigned a,
                     int count) {
    // The sum stays below 65536, so 16-bit lanes hold it exactly.
    const std::uint16_t wa = std::uint16_t(a), wb = std::uint16_t(255 - a);
    for (int i = 0; i < count; ++i)
        dst[i] = std::uint8_t(std::uint16_t(dst[i] * wa + src[i] * wb + 127) >> 8);
}

// The same with one alpha per channel (blue, green, red).
inline void BlendRow3(std::uint8_t* __restrict dst, const std::uint8_t* __restrict src, const unsigned a[3],
                      int pixels) {
    for (int i = 0; i < pixels; ++i) {
        for (int c = 0; c < 3; ++c) {
            const unsigned v = dst[3 * i + c] * a[c] + src[3 * i + c] * (255 - a[c]) + 127;
            dst[3 * i + c] = std::uint8_t(v >> 8);
        }
    }
}

// The mask blend of one channel: a white mask keeps the target, a black one takes the image.
// The sum is never negative, and at most 255 * 255 + 255 shifted down, so no clamp is needed
// above 255 either; it stays for the rule's sake.
inline std::uint8_t MaskBlend(int dst, int s, int a) {
    const int v = ((dst - s) * a + s * 256) >> 8;
    return std::uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v));
}

inline void MaskBlendPixel(std::uint8_t* dst, const std::uint8_t* s, const std::uint8_t* a) {
    dst[0] = MaskBlend(dst[0], s[0], a[0]);
    dst[1] = MaskBlend(dst[1], s[1], a[1]);
    dst[2] = MaskBlend(dst[2], s[2], a[2]);
}

// Bytes per pixel of a bitmap that per-pixel routines may read: 3 or 4; 0 for any other
// format, which skips the pixel work.
inline int ReadableBytesPerPixel(const TBitmap& b) {
    switch (b.PixelFormat()) {
    case TPixelFormat::pf24bit:
        return 3;
    case TPixelFormat::pf32bit:
        return 4;
    default:
        return 0;
    }
}

} // namespace PixelRows
