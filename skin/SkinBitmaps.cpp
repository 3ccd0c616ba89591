#include "skin/SkinBitmaps.h"

#include <array>

void ConvertTo24Bits(TBitmap& bitmap) {
    if (bitmap.PixelFormat() == TPixelFormat::pf24bit) return;
    if (bitmap.PixelFormat() != TPixelFormat::pf8bit) {
        bitmap.SetPixelFormat(TPixelFormat::pf24bit);
        return;
    }
    std::array<TColor, 256> palette{};
    for (std::size_t i = 0; i < palette.size() && i < bitmap.Palette().size(); ++i)
        palette[i] = bitmap.Palette()[i] & 0xFFFFFF;
    TBitmap converted(bitmap.Width(), bitmap.Height(), TPixelFormat::pf24bit);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* source = bitmap.ScanLine(y);
        std::uint8_t* target = converted.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, target += 3) {
            const TColor c = palette[source[x]];
            target[0] = GetBValue(c);
            target[1] = GetGValue(c);
            target[2] = GetRValue(c);
        }
    }
    bitmap = std::move(converted);
}
