#include "render/TacFastSum24.h"

#include <algorithm>

#include "platform/graphics/TBitmap.h"
#include "render/PixelRows.h"

TacFastSum24& TacFastSum24::Shared() {
    static TacFastSum24 instance;
    return instance;
}

namespace {

bool Usable(const TBitmap& b) {
    return b.PixelFormat() == TPixelFormat::pf24bit && b.Width() >= 2 && b.Height() >= 2;
}

} // namespace

bool TacFastSum24::Attach(const TBitmap& source, TBitmap& destination) {
    Detach();
    if (!Usable(source) || !Usable(destination)) return false;
    m_src = source.ScanLine(0);
    m_srcStep = source.ScanLine(1) - source.ScanLine(0);
    m_srcSize = source.Size();
    m_dst = destination.ScanLine(0);
    m_dstStep = destination.ScanLine(1) - destination.ScanLine(0);
    m_dstSize = destination.Size();
    return true;
}

void TacFastSum24::Detach() {
    m_src = nullptr;
    m_dst = nullptr;
    m_srcStep = m_dstStep = 0;
    m_srcSize = m_dstSize = {};
}

void TacFastSum24::BlendRect(const TRect& sourceRect, TPoint destination, TBlendAlpha alpha) const {
    if (!Attached()) return;
    // Cut to the source, moving the destination with the cut; then cut to the destination.
    TRect src = sourceRect.Intersect({0, 0, m_srcSize.Width, m_srcSize.Height});
    if (src.IsEmpty()) return;
    int dx = destination.X + (src.Left - sourceRect.Left);
    int dy = destination.Y + (src.Top - sourceRect.Top);
    if (dx < 0) {
        src.Left -= dx;
        dx = 0;
    }
    if (dy < 0) {
        src.Top -= dy;
        dy = 0;
    }
    const int width = std::min(src.Width(), m_dstSize.Width - dx);
    const int height = std::min(src.Height(), m_dstSize.Height - dy);
    if (width <= 0 || height <= 0) return;

    const bool oneAlpha = alpha.B == alpha.G && alpha.G == alpha.R;
    const unsigned perChannel[3] = {alpha.B, alpha.G, alpha.R};
    for (int y = 0; y < height; ++y) {
        std::uint8_t* d = m_dst + std::ptrdiff_t(dy + y) * m_dstStep + std::ptrdiff_t(dx) * 3;
        const std::uint8_t* s =
            m_src + std::ptrdiff_t(src.Top + y) * m_srcStep + std::ptrdiff_t(src.Left) * 3;
        if (oneAlpha)
            PixelRows::BlendRow(d, s, alpha.B, width * 3);
        else
            PixelRows::BlendRow3(d, s, perChannel, width);
    }
}
