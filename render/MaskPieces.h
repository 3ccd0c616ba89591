#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/core/Geometry.h"
#include "render/ParentBackground.h"

class TBitmap;
class TRegionRows;
struct TsMaskData;

// Transfers of one rectangular piece of a skin image onto a 24-bit target, shared by the
// border mask, the push button's border, corner images and masked textures. Every transfer
// cuts the piece to the source image and the target (negative origins move both), so skin
// rectangles of any size are safe. Pieces are given in 64-bit coordinates because a skin's
// rectangles, multiplied by a state, may leave the 32-bit range.

struct TPiece {
    long long X = 0;
    long long Y = 0;
    long long Width = 0;
    long long Height = 0;
};

// What a key-coloured image pixel does under the mask blend.
enum class TKeyPixel {
    Blend,        // no exception: blended like any other pixel (edges and centres)
    CornerParent, // the parent pixel behind it; else ParentKeyColor; else the key colour itself
    Skip,         // not written (the target shows through)
    TextureKey,   // ParentKeyColor; else the parent pixel behind it; else not written
};

// The parent pixel behind target pixel (x, y) lies at (OffsetX + x, OffsetY + y) of the
// background's bitmap; callers fold the item's position into the offsets.
struct TMaskBlendOptions {
    int MaskOffset = 0; // rows from an image pixel down to its mask pixel
    int AlphaRaise = 0; // added to the mask value (capped at 255): 100 makes corner images fainter
    TKeyPixel Key = TKeyPixel::Blend;
    const ParentBackground* Background = nullptr;
    TRegionRows* Cut = nullptr; // with TKeyPixel::Skip, gathers each run of key pixels
};

// The image of an entry as a 24-bit bitmap: its own image or the manager's master bitmap,
// converted into scratch when stored in another format. Null without a manager.
const TBitmap* EntryImage(const TsMaskData& entry, TBitmap& scratch);

// Per channel Dst = clamp(((Dst - S) * A + S * 256) shr 8): a white mask keeps the target, a
// black mask takes the image. A is the pixel MaskOffset rows below S.
void MaskBlendPiece(TBitmap& target, TPoint dest, const TBitmap& source, const TPiece& piece,
                    const TMaskBlendOptions& options);
// Copies the pixels that are not the key colour. A key pixel leaves the target unchanged, or
// with a ready 24-bit background takes the parent pixel behind it; with a region, each run of
// key pixels is gathered in it.
void KeyCopyPiece(TBitmap& target, TPoint dest, const TBitmap& source, const TPiece& piece,
                  const ParentBackground* background, TRegionRows* cut = nullptr);
// An exact copy.
void CopyPiece(TBitmap& target, TPoint dest, const TBitmap& source, const TPiece& piece);
// Half and half with the target, Dst = round(S - 0.5 * (S - Dst)) with ties to even; key pixels
// are skipped.
void HalfMixPiece(TBitmap& target, TPoint dest, const TBitmap& source, const TPiece& piece);

// Covers the span with tiles of the piece from the span's top-left corner, cutting the last
// column and row. In a direction where the piece is less than one pixel, one tile of the
// span's full size is laid instead, taken from the piece's source position.
template <class Transfer> void TileSpan(const TRect& span, const TPiece& piece, Transfer&& transfer) {
    if (span.IsEmpty()) return;
    const long long tileW = piece.Width >= 1 ? piece.Width : span.Width();
    const long long tileH = piece.Height >= 1 ? piece.Height : span.Height();
    for (long long y = span.Top; y < span.Bottom; y += tileH) {
        const long long h = std::min<long long>(tileH, span.Bottom - y);
        for (long long x = span.Left; x < span.Right; x += tileW) {
            const long long w = std::min<long long>(tileW, span.Right - x);
            transfer(TPoint{int(x), int(y)}, TPiece{piece.X, piece.Y, w, h});
        }
    }
}
