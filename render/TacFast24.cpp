#include "render/TacFast24.h"

#include "platform/graphics/TBitmap.h"

TacFast24& TacFast24::Shared() {
    static TacFast24 instance;
    return instance;
}

bool TacFast24::Attach(const TBitmap& bitmap) {
    Detach();
    if (bitmap.PixelFormat() != TPixelFormat::pf24bit || bitmap.Width() < 2 || bitmap.Height() < 2)
        return false;
    m_first = bitmap.ScanLine(0);
    m_rowStep = bitmap.ScanLine(1) - bitmap.ScanLine(0);
    m_width = bitmap.Width();
    m_height = bitmap.Height();
    return true;
}

void TacFast24::Detach() {
    m_first = nullptr;
    m_rowStep = 0;
    m_width = 0;
    m_height = 0;
}
