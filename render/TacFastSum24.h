#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/core/Geometry.h"
#include "render/Blend.h"

class TBitmap;

// Blends rectangles of one 24-bit bitmap onto another through row pointers and row steps.
// One shared instance serves BlendBitmaps and the fade frames.
class TacFastSum24 {
public:
    static TacFastSum24& Shared();

    // False (and detached) unless both bitmaps are 24-bit and at least 2 x 2 pixels.
    bool Attach(const TBitmap& source, TBitmap& destination);
    void Detach();
    bool Attached() const { return m_src != nullptr; }

    // Dst = (Dst * a + Src * (255 - a) + 127) shr 8 per channel over the source rectangle placed
    // at the destination point; the rectangle is cut to both bitmaps first.
    void BlendRect(const TRect& sourceRect, TPoint destination, TBlendAlpha alpha) const;

private:
    const std::uint8_t* m_src = nullptr;
    std::uint8_t* m_dst = nullptr;
    std::ptrdiff_t m_srcStep = 0;
    std::ptrdiff_t m_dstStep = 0;
    TSize m_srcSize;
    TSize m_dstSize;
};
