#include "render/Corners.h"

#include <algorithm>

#include "platform/graphics/SystemColors.h"
#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/TWinControl.h"
#include "render/MaskPieces.h"
#include "render/ParentColors.h"
#include "render/PixelRows.h"
#include "render/SkinCommandQueries.h"
#include "render/TsCommonData.h"
#include "skin/SkinCommands.h"
#include "skin/TsSkinManager.h"

void DrawCornerImage(TBitmap& target, TPoint point, int state, const TsMaskData& entry, CornerFlag corners) {
    if (!entry.Manager || target.Width() < 2 || target.Height() < 2) return;
    TBitmap scratch;
    const TBitmap* source = EntryImage(entry, scratch);
    if (!source) return;
    const int n = std::max<int>(1, entry.ImageCount);
    const int m = std::max<int>(0, entry.MaskType);
    const long long w = ((long long)entry.R.Right - entry.R.Left) / n;
    const long long h = ((long long)entry.R.Bottom - entry.R.Top) / (m + 1);
    const long long s = std::clamp(state, 0, n - 1);
    const TPiece cell{entry.R.Left + s * w, entry.R.Top, w, h};
    if (m >= 1) {
        TMaskBlendOptions options;
        options.MaskOffset = int(std::clamp<long long>(h, 0, 1 << 30));
        options.AlphaRaise = corners == CornerFlag::Yes ? 0 : 100;
        options.Key = TKeyPixel::Skip;
        MaskBlendPiece(target, point, *source, cell, options);
    } else if (entry.Bmp || corners == CornerFlag::Yes) {
        KeyCopyPiece(target, point, *source, cell, nullptr);
    } else {
        HalfMixPiece(target, point, *source, cell);
    }
}

namespace {

// The colour a key pixel of a corner takes, decided once per repaint; fuchsia when the
// parent's face is to be read instead (or nothing is known).
TColor DecideParentColour(TControl* parent, const ParentBackground& background) {
    if (!parent) return clFuchsia;
    if (!background.Ready) return ColorToRGB(parent->Color());
    if (AskControl(parent, cmdBgIsPatterned)) return clFuchsia;
    if (IsKnownColor(ParentFillColor())) return clFuchsia;
    QuerySkinCommand(parent, cmdGetBgColor);
    return ParentFillColor();
}

// One corner: face pixels whose mask image pixel is the key colour take the colour, else the
// parent pixel behind them; others stay.
void RepaintCorner(TBitmap& face, const TBitmap& image, const TPiece& piece, TPoint at, TColor colour,
                   const ParentBackground& background) {
    const long long w = std::min({piece.Width, (long long)face.Width() - at.X, image.Width() - piece.X});
    const long long h = std::min({piece.Height, (long long)face.Height() - at.Y, image.Height() - piece.Y});
    if (piece.X < 0 || piece.Y < 0 || at.X < 0 || at.Y < 0 || w <= 0 || h <= 0) return;
    const TBitmap* parent = background.Ready ? background.Bitmap : nullptr;
    const int bpp = parent ? PixelRows::ReadableBytesPerPixel(*parent) : 0;
    for (int row = 0; row < h; ++row) {
        const std::uint8_t* s = image.ScanLine(int(piece.Y) + row) + piece.X * 3;
        std::uint8_t* d = face.ScanLine(at.Y + row) + std::ptrdiff_t(at.X) * 3;
        const long long py = (long long)background.OffsetY + at.Y + row;
        for (int i = 0; i < w; ++i, s += 3, d += 3) {
            if (!PixelRows::IsKey(s)) continue;
            if (IsKnownColor(colour)) {
                PixelRows::Store(d, colour);
                continue;
            }
            const long long px = (long long)background.OffsetX + at.X + i;
            if (bpp == 0 || px < 0 || py < 0 || px >= parent->Width() || py >= parent->Height()) continue;
            const std::uint8_t* p = parent->ScanLine(int(py)) + px * bpp;
            d[0] = p[0], d[1] = p[1], d[2] = p[2];
        }
    }
}

} // namespace

void RepaintCorners(TsCommonData& binding, int state, unsigned corners) {
    TBitmap* face = binding.FaceBitmap();
    TControl* control = binding.Control();
    TsSkinManager* manager = binding.SkinManager();
    if (!face || !control || !manager || control->Width() < 2 || control->Height() < 2) return;
    if (face->PixelFormat() != TPixelFormat::pf24bit || face->Width() < 2 || face->Height() < 2) return;
    const int maskIndex = binding.BorderMaskIndex();
    const TsMaskArray& masks = manager->Model().MaskData;
    if (maskIndex < 0 || maskIndex >= int(masks.size())) return;
    const TsMaskData& entry = masks[std::size_t(maskIndex)];
    TBitmap scratch;
    const TBitmap* image = EntryImage(entry, scratch);
    if (!image) return;

    ParentBackground background = binding.GetParentFace();
    SetParentFillColor(DecideParentColour(control->Parent(), background));
    background.OffsetX += control->Left();
    background.OffsetY += control->Top();

    TRect r = entry.R;
    int n = entry.ImageCount, m = entry.MaskType;
    if (n == 0 && entry.Bmp) {
        n = 3;
        m = 1;
        r = entry.Bmp->BoundsRect();
    }
    n = std::max(1, n);
    m = std::max(0, m);
    const long long cellW = ((long long)r.Right - r.Left) / n,
                    cellH = ((long long)r.Bottom - r.Top) / (m + 1);
    const long long wl = std::max<long long>(0, entry.WL), wt = std::max<long long>(0, entry.WT);
    const long long wr = std::max<long long>(0, entry.WR), wb = std::max<long long>(0, entry.WB);
    const long long cw = std::max(0LL, cellW - wl - wr);
    const long long x0 = r.Left + std::clamp(state, 0, n - 1) * cellW, y0 = r.Top;
    const int fw = face->Width(), fh = face->Height();
    const TColor colour = ParentFillColor();
    if (corners & cnTopLeft) RepaintCorner(*face, *image, {x0, y0, wl, wt}, {0, 0}, colour, background);
    if (corners & cnBottomLeft)
        RepaintCorner(*face, *image, {x0, y0 + cellH - wb, wl, wb}, {0, int(fh - wb)}, colour, background);
    if (corners & cnTopRight)
        RepaintCorner(*face, *image, {x0 + wl + cw, y0, wr, wt}, {int(fw - wr), 0}, colour, background);
    if (corners & cnBottomRight)
        RepaintCorner(*face, *image, {x0 + wl + cw, y0 + cellH - wb, wr, wb}, {int(fw - wr), int(fh - wb)},
                      colour, background);
    SetParentFillColor(clFuchsia);
}
