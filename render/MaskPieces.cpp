#include "render/MaskPieces.h"

#include <cmath>

#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TRegionRows.h"
#include "render/ParentColors.h"
#include "render/PixelRows.h"
#include "skin/TsSkinManager.h"

namespace {

// A piece cut to the source (with its mask rows) and to the target.
struct TClipped {
    int SX = 0, SY = 0, DX = 0, DY = 0, W = 0, H = 0;
    bool IsEmpty() const { return W <= 0 || H <= 0; }
};

TClipped Clip(const TBitmap& target, TPoint dest, const TBitmap& source, const TPiece& piece,
              int maskOffset = 0) {
    long long sx = piece.X, sy = piece.Y, dx = dest.X, dy = dest.Y, w = piece.Width, h = piece.Height;
    const long long cutX = std::max({0LL, -sx, -dx});
    sx += cutX;
    dx += cutX;
    w -= cutX;
    const long long cutY = std::max({0LL, -sy, -dy});
    sy += cutY;
    dy += cutY;
    h -= cutY;
    w = std::min({w, source.Width() - sx, target.Width() - dx});
    h = std::min({h, source.Height() - maskOffset - sy, target.Height() - dy});
    if (w <= 0 || h <= 0) return {};
    return {int(sx), int(sy), int(dx), int(dy), int(w), int(h)};
}

bool Usable(const TBitmap& target, const TBitmap& source) {
    return target.PixelFormat() == TPixelFormat::pf24bit && source.PixelFormat() == TPixelFormat::pf24bit &&
           target.Width() >= 2 && target.Height() >= 2;
}

// The parent pixel behind target pixel (x, y); false outside the parent's bitmap or for a
// format that cannot be read.
bool ParentPixel(const ParentBackground& bg, int x, int y, bool only24, const std::uint8_t*& out) {
    if (!bg.Ready || !bg.Bitmap) return false;
    const TBitmap& parent = *bg.Bitmap;
    const int bpp = PixelRows::ReadableBytesPerPixel(parent);
    if (bpp == 0 || (only24 && bpp != 3)) return false;
    const long long px = (long long)bg.OffsetX + x, py = (long long)bg.OffsetY + y;
    if (px < 0 || py < 0 || px >= parent.Width() || py >= parent.Height()) return false;
    out = parent.ScanLine(int(py)) + px * bpp;
    return true;
}

void CutRun(TRegionRows* cut, int y, int from, int to) {
    if (cut) cut->Add(y, from, to);
}

} // namespace

const TBitmap* EntryImage(const TsMaskData& entry, TBitmap& scratch) {
    if (!entry.Manager) return nullptr;
    const TBitmap& image = entry.Bmp ? *entry.Bmp : entry.Manager->Model().MasterBitmap;
    if (image.PixelFormat() == TPixelFormat::pf24bit) return &image;
    scratch = image;
    scratch.SetPixelFormat(TPixelFormat::pf24bit);
    return scratch.PixelFormat() == TPixelFormat::pf24bit ? &scratch : nullptr;
}

void MaskBlendPiece(TBitmap& target, TPoint dest, const TBitmap& source, const TPiece& piece,
                    const TMaskBlendOptions& options) {
    if (!Usable(target, source) || options.MaskOffset < 0) return;
    const TClipped c = Clip(target, dest, source, piece, options.MaskOffset);
    if (c.IsEmpty()) return;
    const int raise = options.AlphaRaise;
    const TColor keyColour = ParentKeyColor();
    for (int row = 0; row < c.H; ++row) {
        const int y = c.DY + row;
        const std::uint8_t* s = source.ScanLine(c.SY + row) + std::ptrdiff_t(c.SX) * 3;
        const std::uint8_t* a = source.ScanLine(c.SY + row + options.MaskOffset) + std::ptrdiff_t(c.SX) * 3;
        std::uint8_t* d = target.ScanLine(y) + std::ptrdiff_t(c.DX) * 3;
        if (options.Key == TKeyPixel::Blend && raise == 0) {
            for (int i = 0; i < c.W * 3; ++i)
                d[i] = PixelRows::MaskBlend(d[i], s[i], a[i]);
            continue;
        }
        int runStart = -1;
        for (int i = 0; i < c.W; ++i, s += 3, a += 3, d += 3) {
            const int x = c.DX + i;
            if (options.Key != TKeyPixel::Blend && PixelRows::IsKey(s)) {
                if (options.Key == TKeyPixel::Skip) {
                    if (runStart < 0) runStart = x;
                    continue;
                }
                const std::uint8_t* p = nullptr;
                if (options.Key == TKeyPixel::CornerParent) {
                    if (options.Background && options.Background->Ready) {
                        // The row ends where the parent's face ends.
                        if (!ParentPixel(*options.Background, x, y, false, p)) break;
                        d[0] = p[0], d[1] = p[1], d[2] = p[2];
                    } else if (IsKnownColor(keyColour)) {
                        PixelRows::Store(d, keyColour);
                    } else {
                        d[0] = s[0], d[1] = s[1], d[2] = s[2];
                    }
                } else if (IsKnownColor(keyColour)) {
                    PixelRows::Store(d, keyColour);
                } else if (options.Background && ParentPixel(*options.Background, x, y, false, p)) {
                    d[0] = p[0], d[1] = p[1], d[2] = p[2];
                }
                continue;
            }
            if (runStart >= 0) {
                CutRun(options.Cut, y, runStart, x);
                runStart = -1;
            }
            if (raise == 0) {
                PixelRows::MaskBlendPixel(d, s, a);
            } else {
                const std::uint8_t raised[3] = {std::uint8_t(std::min(255, a[0] + raise)),
                                                std::uint8_t(std::min(255, a[1] + raise)),
                                                std::uint8_t(std::min(255, a[2] + raise))};
                PixelRows::MaskBlendPixel(d, s, raised);
            }
        }
        if (runStart >= 0) CutRun(options.Cut, y, runStart, c.DX + c.W);
    }
}

void KeyCopyPiece(TBitmap& target, TPoint dest, const TBitmap& source, const TPiece& piece,
                  const ParentBackground* background, TRegionRows* cut) {
    if (!Usable(target, source)) return;
    const TClipped c = Clip(target, dest, source, piece);
    if (c.IsEmpty()) return;
    for (int row = 0; row < c.H; ++row) {
        const int y = c.DY + row;
        const std::uint8_t* s = source.ScanLine(c.SY + row) + std::ptrdiff_t(c.SX) * 3;
        std::uint8_t* d = target.ScanLine(y) + std::ptrdiff_t(c.DX) * 3;
        int runStart = -1;
        for (int i = 0; i < c.W; ++i, s += 3, d += 3) {
            const int x = c.DX + i;
            if (!PixelRows::IsKey(s)) {
                if (runStart >= 0) {
                    CutRun(cut, y, runStart, x);
                    runStart = -1;
                }
                d[0] = s[0], d[1] = s[1], d[2] = s[2];
                continue;
            }
            if (runStart < 0) runStart = x;
            const std::uint8_t* p = nullptr;
            if (background && ParentPixel(*background, x, y, true, p)) d[0] = p[0], d[1] = p[1], d[2] = p[2];
        }
        if (runStart >= 0) CutRun(cut, y, runStart, c.DX + c.W);
    }
}

void CopyPiece(TBitmap& target, TPoint dest, const TBitmap& source, const TPiece& piece) {
    if (!Usable(target, source)) return;
    const TClipped c = Clip(target, dest, source, piece);
    if (c.IsEmpty()) return;
    for (int row = 0; row < c.H; ++row)
        std::memmove(target.ScanLine(c.DY + row) + std::ptrdiff_t(c.DX) * 3,
                     source.ScanLine(c.SY + row) + std::ptrdiff_t(c.SX) * 3, std::size_t(c.W) * 3);
}

void HalfMixPiece(TBitmap& target, TPoint dest, const TBitmap& source, const TPiece& piece) {
    if (!Usable(target, source)) return;
    const TClipped c = Clip(target, dest, source, piece);
    if (c.IsEmpty()) return;
    for (int row = 0; row < c.H; ++row) {
        const std::uint8_t* s = source.ScanLine(c.SY + row) + std::ptrdiff_t(c.SX) * 3;
        std::uint8_t* d = target.ScanLine(c.DY + row) + std::ptrdiff_t(c.DX) * 3;
        for (int i = 0; i < c.W; ++i, s += 3, d += 3) {
            if (PixelRows::IsKey(s)) continue;
            for (int k = 0; k < 3; ++k)
                d[k] = std::uint8_t(std::nearbyint(s[k] - 0.5 * (s[k] - d[k])));
        }
    }
}
