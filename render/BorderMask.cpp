#include "render/BorderMask.h"

#include <algorithm>
#include <vector>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TRegion.h"
#include "platform/graphics/TRegionRows.h"
#include "render/MaskPieces.h"
#include "skin/SkinRecords.h"

namespace {

// The border widths fitted to the rectangle and the state's cell in the source image.
struct TGrid {
    long long WL = 0, WT = 0, WR = 0, WB = 0;
    long long X0 = 0, Y0 = 0; // the state cell's top-left in the source
    long long CellW = 0, CellH = 0;
    long long CW = 0, CH = 0; // centre piece size in the source
};

void Fit(long long& first, long long& second, long long size) {
    if (size < first + second) {
        const long long c = (first + second - size) / 2;
        first -= c;
        second -= c;
        if (size % 2 != 0) second -= 1;
    }
    first = std::max(0LL, first);
    second = std::max(0LL, second);
}

TGrid MakeGrid(const TRect& d, int state, const TRect& r, int imageCount, int maskType, const TsMaskData& e) {
    TGrid g;
    g.WL = std::max<long long>(0, e.WL);
    g.WT = std::max<long long>(0, e.WT);
    g.WR = std::max<long long>(0, e.WR);
    g.WB = std::max<long long>(0, e.WB);
    Fit(g.WL, g.WR, d.Width());
    Fit(g.WT, g.WB, d.Height());
    const int n = std::max(1, imageCount);
    const long long s = std::clamp(state, 0, n - 1);
    g.CellW = ((long long)r.Right - r.Left) / n;
    g.CellH = ((long long)r.Bottom - r.Top) / (std::max(0, maskType) + 1);
    g.CW = std::max(0LL, g.CellW - g.WL - g.WR);
    g.CH = std::max(0LL, g.CellH - g.WT - g.WB);
    g.X0 = r.Left + s * g.CellW;
    g.Y0 = r.Top;
    return g;
}

// The nine pieces of the grid: where each comes from and what it covers.
struct TGridPiece {
    TPiece Source;
    TRect Span;
    bool Corner = false;
    bool Centre = false;
};

TRect Span(long long l, long long t, long long r, long long b) {
    return {int(l), int(t), int(r), int(b)};
}

// In the order they are drawn: corners and edges going round, the centre last.
std::vector<TGridPiece> GridPieces(const TRect& d, const TGrid& g) {
    const long long right = g.X0 + g.WL + g.CW, bottom = g.Y0 + g.CellH - g.WB;
    const long long dl = d.Left, dt = d.Top, dr = d.Right, db = d.Bottom;
    return {
        {{g.X0, g.Y0, g.WL, g.WT}, Span(dl, dt, dl + g.WL, dt + g.WT), true, false},
        {{g.X0, g.Y0 + g.WT, g.WL, g.CH}, Span(dl, dt + g.WT, dl + g.WL, db - g.WB), false, false},
        {{g.X0 + g.WL, g.Y0, g.CW, g.WT}, Span(dl + g.WL, dt, dr - g.WR, dt + g.WT), false, false},
        {{g.X0, bottom, g.WL, g.WB}, Span(dl, db - g.WB, dl + g.WL, db), true, false},
        {{g.X0 + g.WL, bottom, g.CW, g.WB}, Span(dl + g.WL, db - g.WB, dr - g.WR, db), false, false},
        {{right, bottom, g.WR, g.WB}, Span(dr - g.WR, db - g.WB, dr, db), true, false},
        {{right, g.Y0, g.WR, g.WT}, Span(dr - g.WR, dt, dr, dt + g.WT), true, false},
        {{right, g.Y0 + g.WT, g.WR, g.CH}, Span(dr - g.WR, dt + g.WT, dr, db - g.WB), false, false},
        {{g.X0 + g.WL, g.Y0 + g.WT, g.CW, g.CH},
         Span(dl + g.WL, dt + g.WT, dr - g.WR, db - g.WB),
         false,
         true},
    };
}

// An edge or the centre stretched once over its span. A piece less than one pixel wide or
// high is laid as one copy of the span's size instead.
void StretchPiece(TBitmap& target, const TBitmap& source, const TGridPiece& p) {
    if (p.Span.IsEmpty()) return;
    if (p.Source.Width < 1 || p.Source.Height < 1) {
        TileSpan(p.Span, p.Source,
                 [&](TPoint at, const TPiece& piece) { CopyPiece(target, at, source, piece); });
        return;
    }
    const long long l = std::clamp<long long>(p.Source.X, -(1LL << 30), 1LL << 30);
    const long long t = std::clamp<long long>(p.Source.Y, -(1LL << 30), 1LL << 30);
    const TRect sourceRect{int(l), int(t), int(std::min(l + p.Source.Width, 1LL << 30)),
                           int(std::min(t + p.Source.Height, 1LL << 30))};
    if (!sourceRect.Intersects(source.BoundsRect())) return;
    TCanvas canvas(target);
    canvas.StretchDraw(p.Span, source, sourceRect);
}

bool Drawable(const TBitmap& b) {
    return b.PixelFormat() == TPixelFormat::pf24bit && b.Width() >= 2 && b.Height() >= 2;
}

} // namespace

void DrawBorderMask(TBitmap& target, const TRect& rect, FillCentre fillCentre, CornerFlag corners, int state,
                    const TsMaskData& entry, const ParentBackground& background) {
    if (state == 0 && (entry.DrawMode & 2) != 0) return;
    if (rect.Width() < 2 || rect.Height() < 2 || !entry.Manager || !Drawable(target)) return;
    TBitmap scratch;
    const TBitmap* source = EntryImage(entry, scratch);
    if (!source) return;
    const TGrid grid = MakeGrid(rect, state, entry.R, entry.ImageCount, entry.MaskType, entry);
    const bool drawCentre = fillCentre == FillCentre::Yes && (entry.DrawMode & 4) != 0;
    const bool masked = entry.MaskType >= 1;
    const bool stretch = (entry.DrawMode & 1) != 0;
    const int maskOffset =
        int(std::clamp<long long>(((long long)entry.R.Bottom - entry.R.Top) / 2, 0, 1 << 30));

    for (const TGridPiece& p : GridPieces(rect, grid)) {
        if (p.Centre && !drawCentre) continue;
        if (masked) {
            TMaskBlendOptions options;
            options.MaskOffset = maskOffset;
            options.Key = p.Corner ? TKeyPixel::CornerParent : TKeyPixel::Blend;
            options.Background = &background;
            TileSpan(p.Span, p.Source, [&](TPoint at, const TPiece& piece) {
                MaskBlendPiece(target, at, *source, piece, options);
            });
        } else if (p.Corner) {
            KeyCopyPiece(target, p.Span.TopLeft(), *source, p.Source,
                         corners == CornerFlag::Yes && background.Ready ? &background : nullptr);
        } else if (stretch) {
            StretchPiece(target, *source, p);
        } else {
            TileSpan(p.Span, p.Source,
                     [&](TPoint at, const TPiece& piece) { CopyPiece(target, at, *source, piece); });
        }
    }
}

void DrawButtonMask(TBitmap& face, TRegion* region, FillCentre fillCentre, int state,
                    const TsMaskData& entry) {
    if (!entry.Manager || !Drawable(face)) return;
    TBitmap scratch;
    const TBitmap* source = EntryImage(entry, scratch);
    if (!source) return;
    TRect r = entry.R;
    int imageCount = entry.ImageCount;
    if (imageCount < 1) {
        imageCount = 1;
        if (entry.Bmp) r = entry.Bmp->BoundsRect();
    }
    const TRect d = face.BoundsRect();
    const TGrid grid = MakeGrid(d, state, r, imageCount, entry.MaskType, entry);
    const bool drawCentre = fillCentre == FillCentre::Yes && (entry.DrawMode & 4) != 0;
    const bool masked = entry.MaskType == 1;
    const bool stretch = (entry.DrawMode & 1) != 0 && entry.MaskType != 1;
    const int maskOffset = int(std::clamp<long long>(((long long)r.Bottom - r.Top) / 2, 0, 1 << 30));
    // The corners' key runs are gathered and cut out of the region at once.
    TRegionRows keyRuns;
    TRegionRows* cut = region ? &keyRuns : nullptr;

    for (const TGridPiece& p : GridPieces(d, grid)) {
        if (p.Centre && !drawCentre) continue;
        if (p.Corner) {
            if (masked) {
                TMaskBlendOptions options;
                options.MaskOffset = maskOffset;
                options.Key = TKeyPixel::Skip;
                options.Cut = cut;
                MaskBlendPiece(face, p.Span.TopLeft(), *source, p.Source, options);
            } else {
                KeyCopyPiece(face, p.Span.TopLeft(), *source, p.Source, nullptr, cut);
            }
        } else if (stretch) {
            StretchPiece(face, *source, p);
        } else if (masked) {
            TMaskBlendOptions options;
            options.MaskOffset = maskOffset;
            TileSpan(p.Span, p.Source, [&](TPoint at, const TPiece& piece) {
                MaskBlendPiece(face, at, *source, piece, options);
            });
        } else {
            TileSpan(p.Span, p.Source,
                     [&](TPoint at, const TPiece& piece) { CopyPiece(face, at, *source, piece); });
        }
    }
    if (region && !keyRuns.IsEmpty()) region->Subtract(keyRuns.ToRegion());
}
