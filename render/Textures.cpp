#include "render/Textures.h"

#include <algorithm>
#include <cstring>

#include "platform/graphics/TBitmap.h"
#include "platform/canvas/TCanvas.h"
#include "render/MaskPieces.h"
#include "render/ParentColors.h"
#include "render/PixelRows.h"
#include "skin/SkinRecords.h"

namespace {

void Fill(TBitmap& target, const TRect& rect, TColor colour) {
    const TRect r = rect.Intersect(target.BoundsRect());
    for (int y = r.Top; y < r.Bottom; ++y)
        PixelRows::FillRow(target.ScanLine(y) + std::ptrdiff_t(r.Left) * 3, colour, r.Width());
}

// Lays tiles of the source rectangle from the area's top-left corner and cuts each to clip.
template <class Transfer>
void TileClipped(const TRect& area, const TRect& clip, long long tw, long long th, long long sx, long long sy,
                 Transfer&& transfer) {
    const TRect visible = area.Intersect(clip);
    if (visible.IsEmpty() || tw < 1 || th < 1) return;
    // Start at the first tile that reaches the visible part.
    const long long firstX = area.Left + (visible.Left - area.Left) / tw * tw;
    const long long firstY = area.Top + (visible.Top - area.Top) / th * th;
    for (long long y = firstY; y < visible.Bottom; y += th) {
        const long long top = std::max<long long>(y, visible.Top),
                        bottom = std::min<long long>(y + th, visible.Bottom);
        for (long long x = firstX; x < visible.Right; x += tw) {
            const long long left = std::max<long long>(x, visible.Left);
            const long long right = std::min<long long>(x + tw, visible.Right);
            transfer(TPoint{int(left), int(top)},
                     TPiece{sx + (left - x), sy + (top - y), right - left, bottom - top});
        }
    }
}

void Stretch(TBitmap& target, const TRect& dest, const TRect& clip, const TBitmap& source,
             const TRect& tile) {
    TCanvas canvas(target);
    canvas.IntersectClipRect(clip);
    canvas.StretchDraw(dest, source, tile);
}

} // namespace

void DrawMaskTexture(TBitmap& target, const TRect& rect, const TsMaskData& entry, TColor colour,
                     const ParentBackground& background) {
    TBitmap scratch;
    const TBitmap* source = EntryImage(entry, scratch);
    const TRect q = rect.Intersect(target.BoundsRect());
    if (q.IsEmpty()) return;
    if (!source) {
        Fill(target, q, colour);
        return;
    }
    // A small JPEG turned into a texture keeps an empty rectangle: its image is the whole bitmap.
    const TRect r = entry.Bmp && entry.R.IsEmpty() ? entry.Bmp->BoundsRect() : entry.R;

    if (entry.MaskType >= 1) {
        if (entry.DrawMode == 10) {
            DrawMaskedTextureWholeTiles(target, q, entry, background);
        } else if (entry.DrawMode == 0) {
            const long long tw = (long long)r.Right - r.Left;
            const long long th = ((long long)r.Bottom - r.Top) / (entry.MaskType + 1);
            TMaskBlendOptions options;
            options.MaskOffset = int(std::clamp<long long>(((long long)r.Bottom - r.Top) / 2, 0, 1 << 30));
            options.Key = TKeyPixel::TextureKey;
            options.Background = &background;
            TileClipped(q, q, tw, th, r.Left, r.Top, [&](TPoint at, const TPiece& piece) {
                MaskBlendPiece(target, at, *source, piece, options);
            });
        } else {
            Fill(target, q, colour);
        }
        return;
    }

    const TRect tile = r.Intersect(source->BoundsRect());
    if (tile.IsEmpty()) {
        Fill(target, q, colour);
        return;
    }
    const int tw = tile.Width(), th = tile.Height();
    auto copy = [&](TPoint at, const TPiece& piece) { CopyPiece(target, at, *source, piece); };
    auto tileOver = [&](const TRect& area) { TileClipped(area, q, tw, th, tile.Left, tile.Top, copy); };
    switch (entry.DrawMode) {
    case 0:
        tileOver(q);
        break;
    case 1:
        Stretch(target, q, q, *source, tile);
        break;
    case 2:
        tileOver({q.Left, q.Top, q.Right, q.Top + th});
        Fill(target, {q.Left, q.Top + th, q.Right, q.Bottom}, colour);
        break;
    case 3:
        tileOver({q.Left, q.Top, q.Left + tw, q.Bottom});
        Fill(target, {q.Left + tw, q.Top, q.Right, q.Bottom}, colour);
        break;
    case 4:
        Stretch(target, {q.Left, q.Top, q.Right, q.Top + th}, q, *source, tile);
        Fill(target, {q.Left, q.Top + th, q.Right, q.Bottom}, colour);
        break;
    case 5:
        Stretch(target, {q.Left, q.Top, q.Left + tw, q.Bottom}, q, *source, tile);
        Fill(target, {q.Left + tw, q.Top, q.Right, q.Bottom}, colour);
        break;
    case 6:
        tileOver({q.Left, q.Bottom - th, q.Right, q.Bottom});
        Fill(target, {q.Left, q.Top, q.Right, q.Bottom - th}, colour);
        break;
    case 7:
        tileOver({q.Right - tw, q.Top, q.Right, q.Bottom});
        Fill(target, {q.Left, q.Top, q.Right - tw, q.Bottom}, colour);
        break;
    case 10:
        // Whole rows of tiles only; the last column may be partial.
        tileOver({q.Left, q.Top, q.Right, q.Top + q.Height() / th * th});
        break;
    default:
        // Any other mode leaves the whole rectangle to the colour.
        Fill(target, q, colour);
        break;
    }
}

void DrawImageTexture(TBitmap& target, const TRect& rect, const TBitmap& image) {
    const TRect q = rect.Intersect(target.BoundsRect());
    if (q.IsEmpty() || image.IsEmpty()) return;
    TBitmap scratch;
    const TBitmap* source = &image;
    if (image.PixelFormat() != TPixelFormat::pf24bit) {
        scratch = image;
        scratch.SetPixelFormat(TPixelFormat::pf24bit);
        source = &scratch;
    }
    TileClipped(q, q, image.Width(), image.Height(), 0, 0,
                [&](TPoint at, const TPiece& piece) { CopyPiece(target, at, *source, piece); });
}

void DrawMaskedTextureWholeTiles(TBitmap& target, const TRect& rect, const TsMaskData& entry,
                                 const ParentBackground& background) {
    TBitmap scratch;
    const TBitmap* source = EntryImage(entry, scratch);
    const TRect q = rect.Intersect(target.BoundsRect());
    if (!source || q.IsEmpty() || entry.MaskType < 1) return;
    const TRect r = entry.Bmp && entry.R.IsEmpty() ? entry.Bmp->BoundsRect() : entry.R;
    const long long tw = (long long)r.Right - r.Left;
    const long long th = ((long long)r.Bottom - r.Top) / (entry.MaskType + 1);
    if (tw < 1 || th < 1) return;
    const int wholeRight = int(q.Left + q.Width() / tw * tw);
    const int wholeBottom = int(q.Top + q.Height() / th * th);
    TMaskBlendOptions options;
    options.MaskOffset = int(std::clamp<long long>(((long long)r.Bottom - r.Top) / 2, 0, 1 << 30));
    options.Key = TKeyPixel::TextureKey;
    options.Background = &background;
    const TRect whole{q.Left, q.Top, wholeRight, wholeBottom};
    TileClipped(whole, whole, tw, th, r.Left, r.Top,
                [&](TPoint at, const TPiece& piece) { MaskBlendPiece(target, at, *source, piece, options); });
    const TRect strips[2] = {{wholeRight, q.Top, q.Right, q.Bottom},
                             {q.Left, wholeBottom, wholeRight, q.Bottom}};
    for (const TRect& strip : strips) {
        if (background.Ready && background.Bitmap)
            CopyParentBackground(target, strip, background);
        else if (IsKnownColor(ParentKeyColor()))
            Fill(target, strip, ParentKeyColor());
    }
}

void CopyParentBackground(TBitmap& target, const TRect& rect, const ParentBackground& background) {
    if (!background.Ready || !background.Bitmap || background.Bitmap == &target) return;
    const TBitmap& parent = *background.Bitmap;
    const int bpp = PixelRows::ReadableBytesPerPixel(parent);
    if (bpp == 0 || target.PixelFormat() != TPixelFormat::pf24bit) return;
    const TRect q = rect.Intersect(target.BoundsRect());
    if (q.IsEmpty()) return;
    // The part of the rectangle that has parent pixels behind it.
    const long long left = std::max<long long>(q.Left, -(long long)background.OffsetX);
    const long long right = std::min<long long>(q.Right, (long long)parent.Width() - background.OffsetX);
    const long long top = std::max<long long>(q.Top, -(long long)background.OffsetY);
    const long long bottom = std::min<long long>(q.Bottom, (long long)parent.Height() - background.OffsetY);
    if (left >= right || top >= bottom) return;
    for (long long y = top; y < bottom; ++y) {
        std::uint8_t* d = target.ScanLine(int(y)) + left * 3;
        const std::uint8_t* s =
            parent.ScanLine(int(y + background.OffsetY)) + (left + background.OffsetX) * bpp;
        if (bpp == 3) {
            std::memcpy(d, s, std::size_t(right - left) * 3);
            continue;
        }
        for (long long x = left; x < right; ++x, d += 3, s += 4)
            d[0] = s[0], d[1] = s[1], d[2] = s[2];
    }
}
