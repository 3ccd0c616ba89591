#include <gtest/gtest.h>

#include "platform/canvas/TCanvas.h"
#include "platform/text/TextFlags.h"

namespace {

constexpr TColor kRed = MakeColor(255, 0, 0);

// The bounding box of the pixels that differ from the background colour.
TRect InkBounds(const TBitmap& b, TColor background) {
    TRect box;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.GetPixel(x, y) != background) box = box.Union(TRect::FromBounds(x, y, 1, 1));
    return box;
}

} // namespace

TEST(TCanvasText, MeasuredRectangleStaysLogical) {
    TBitmap b(80, 40);
    TCanvas canvas(b);
    TRect plain{0, 0, 0, 0};
    canvas.DrawText("Quib", plain, TextFlags::DT_CALCRECT | TextFlags::DT_SINGLELINE);
    canvas.OffsetOrigin(10, 20);
    TRect moved{0, 0, 0, 0};
    canvas.DrawText("Quib", moved, TextFlags::DT_CALCRECT | TextFlags::DT_SINGLELINE);
    EXPECT_EQ(moved, plain);
    EXPECT_GT(plain.Width(), 0);
    EXPECT_EQ(canvas.TextExtent("Quib").Width, plain.Width());
}

TEST(TCanvasText, TextOutDrawsAtTheOriginWithinItsExtent) {
    TBitmap b(80, 40);
    b.Fill(clWhite);
    TCanvas canvas(b);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.Font().SetColor(clBlack);
    canvas.OffsetOrigin(5, 7);
    canvas.TextOut(2, 3, "Hm");
    const TSize extent = canvas.TextExtent("Hm");
    const TRect ink = InkBounds(b, clWhite);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_TRUE(TRect::FromBounds(7, 10, extent.Width, extent.Height).Contains(ink));
}

TEST(TCanvasText, ClipRegionIsHonoured) {
    TBitmap b(80, 40);
    b.Fill(clWhite);
    TCanvas canvas(b);
    canvas.Font().SetColor(clBlack);
    canvas.SetBrushColor(kRed);
    canvas.ExcludeClipRect(b.BoundsRect());
    canvas.TextOut(0, 0, "Hm");
    EXPECT_TRUE(InkBounds(b, clWhite).IsEmpty());
}

TEST(TCanvasText, SolidBrushFillsTheCell) {
    TBitmap b(80, 40);
    b.Fill(clWhite);
    TCanvas canvas(b);
    canvas.Font().SetColor(clBlack);
    canvas.SetBrushColor(kRed);
    canvas.TextOut(0, 0, "Hm");
    const TSize extent = canvas.TextExtent("Hm");
    EXPECT_EQ(b.GetPixel(extent.Width - 1, 0), kRed);
    EXPECT_EQ(b.GetPixel(extent.Width + 2, 0), clWhite);
}
