#include "render/TacFast32.h"

#include "platform/graphics/TBitmap.h"

TacFast32& TacFast32::Shared() {
    static TacFast32 instance;
    return instance;
}

bool TacFast32::Attach(const TBitmap& bitmap) {
    Detach();
    if (bitmap.PixelFormat() != TPixelFormat::pf32bit || bitmap.Width() < 2 || bitmap.Height() < 2)
        return false;
    m_first = bitmap.ScanLine(0);
    m_rowStep = bitmap.ScanLine(1) - bitmap.ScanLine(0);
    m_width = bitmap.Width();
    m_height = bitmap.Height();
    return true;
}

void TacFast32::Detach() {
    m_first = nullptr;
    m_rowStep = 0;
    m_width = 0;
    m_height = 0;
}
