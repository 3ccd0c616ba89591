#include <gtest/gtest.h>

#include <array>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"

namespace {

constexpr TColor kRed = MakeColor(255, 0, 0);
constexpr TColor kBlue = MakeColor(0, 0, 255);

// A bitmap whose pixel (x, y) has red x * 10 and green y * 10, so copies can be traced.
TBitmap Numbered(int width, int height, TPixelFormat format = TPixelFormat::pf24bit) {
    TBitmap b(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, MakeColor(std::uint8_t(x * 10), std::uint8_t(y * 10), 7));
    return b;
}

TColor NumberedAt(int x, int y) {
    return MakeColor(std::uint8_t(x * 10), std::uint8_t(y * 10), 7);
}

int CountColour(const TBitmap& b, TColor c) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += b.GetPixel(x, y) == c;
    return n;
}

} // namespace

// ---- state and clipping

TEST(TCanvasClip, FillIsCutToTheBitmap) {
    TBitmap b(4, 4);
    TCanvas canvas(b);
    canvas.FillRect({-5, -5, 2, 2}, kRed);
    EXPECT_EQ(CountColour(b, kRed), 4);
    EXPECT_EQ(b.GetPixel(1, 1), kRed);
    EXPECT_EQ(b.GetPixel(2, 2), clBlack);
}

TEST(TCanvasClip, OriginMovesDrawing) {
    TBitmap b(6, 6);
    TCanvas canvas(b);
    canvas.OffsetOrigin(2, 3);
    canvas.FillRect({0, 0, 1, 1}, kRed);
    EXPECT_EQ(b.GetPixel(2, 3), kRed);
    EXPECT_EQ(CountColour(b, kRed), 1);
    EXPECT_EQ(canvas.ClipBox(), (TRect{-2, -3, 4, 3}));
}

TEST(TCanvasClip, IntersectClipRectLimitsFill) {
    TBitmap b(6, 6);
    TCanvas canvas(b);
    canvas.IntersectClipRect({1, 1, 3, 4});
    canvas.FillRect({0, 0, 6, 6}, kRed);
    EXPECT_EQ(CountColour(b, kRed), 6);
    EXPECT_EQ(b.GetPixel(0, 0), clBlack);
    EXPECT_EQ(b.GetPixel(2, 3), kRed);
}

TEST(TCanvasClip, ExcludeClipRectLeavesHole) {
    TBitmap b(4, 4);
    TCanvas canvas(b);
    canvas.ExcludeClipRect({1, 1, 3, 3});
    canvas.FillRect(b.BoundsRect(), kRed);
    EXPECT_EQ(CountColour(b, kRed), 12);
    EXPECT_EQ(b.GetPixel(1, 2), clBlack);
}

TEST(TCanvasClip, SaverRestoresClipAndOrigin) {
    TBitmap b(4, 4);
    TCanvas canvas(b);
    {
        TCanvasSaver saver(canvas);
        canvas.IntersectClipRect({0, 0, 1, 1});
        canvas.OffsetOrigin(1, 1);
    }
    EXPECT_EQ(canvas.Origin(), (TPoint{0, 0}));
    canvas.FillRect(b.BoundsRect(), kRed);
    EXPECT_EQ(CountColour(b, kRed), 16);
}

TEST(TCanvasClip, UnmatchedRestoreKeepsState) {
    TBitmap b(4, 4);
    TCanvas canvas(b);
    canvas.IntersectClipRect({0, 0, 2, 2});
    canvas.Restore();
    EXPECT_EQ(canvas.ClipBox(), (TRect{0, 0, 2, 2}));
}

TEST(TCanvasClip, ClipRectIsLogical) {
    TBitmap b(6, 6);
    TCanvas canvas(b);
    canvas.OffsetOrigin(2, 2);
    canvas.IntersectClipRect({0, 0, 1, 1});
    canvas.OffsetOrigin(-2, -2);
    canvas.FillRect(b.BoundsRect(), kRed);
    EXPECT_EQ(CountColour(b, kRed), 1);
    EXPECT_EQ(b.GetPixel(2, 2), kRed);
}

// ---- fills, lines, pixels

TEST(TCanvasFill, SystemColourIsResolved) {
    TBitmap b(2, 2);
    TCanvas canvas(b);
    canvas.FillRect(b.BoundsRect(), clBtnFace);
    EXPECT_EQ(b.GetPixel(1, 1), MakeColor(212, 208, 200));
}

TEST(TCanvasFill, ClearBrushFillsNothing) {
    TBitmap b(2, 2);
    TCanvas canvas(b);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.SetBrushColor(kRed);
    canvas.FillRect(b.BoundsRect());
    EXPECT_EQ(CountColour(b, kRed), 0);
}

TEST(TCanvasFill, ThirtyTwoBitTarget) {
    TBitmap b(3, 1, TPixelFormat::pf32bit);
    TCanvas canvas(b);
    canvas.FillRect({1, 0, 2, 1}, kBlue);
    EXPECT_EQ(b.GetPixel(1, 0), kBlue);
    EXPECT_EQ(b.GetPixel(0, 0), clBlack);
    EXPECT_EQ(b.GetPixel(2, 0), clBlack);
}

TEST(TCanvasFill, FrameRectDrawsOnlyTheOutline) {
    TBitmap b(5, 5);
    TCanvas canvas(b);
    canvas.FrameRect({0, 0, 4, 4}, kRed);
    EXPECT_EQ(CountColour(b, kRed), 12);
    EXPECT_EQ(b.GetPixel(3, 3), kRed);
    EXPECT_EQ(b.GetPixel(1, 1), clBlack);
    EXPECT_EQ(b.GetPixel(4, 4), clBlack);
}

TEST(TCanvasLine, LeavesOutTheLastPoint) {
    TBitmap b(6, 3);
    TCanvas canvas(b);
    canvas.Line(1, 1, 4, 1, kRed);
    EXPECT_EQ(CountColour(b, kRed), 3);
    EXPECT_EQ(b.GetPixel(1, 1), kRed);
    EXPECT_EQ(b.GetPixel(3, 1), kRed);
    EXPECT_EQ(b.GetPixel(4, 1), clBlack);
}

TEST(TCanvasLine, DiagonalAndClipped) {
    TBitmap b(3, 3);
    TCanvas canvas(b);
    canvas.Line(-1, -1, 5, 5, kRed);
    EXPECT_EQ(CountColour(b, kRed), 3);
    EXPECT_EQ(b.GetPixel(2, 2), kRed);
}

TEST(TCanvasPixel, SetPixelHonoursClipAndOrigin) {
    TBitmap b(3, 3);
    TCanvas canvas(b);
    canvas.OffsetOrigin(1, 1);
    canvas.ExcludeClipRect({1, 1, 2, 2});
    canvas.SetPixel(0, 0, kRed);
    canvas.SetPixel(1, 1, kRed);
    canvas.SetPixel(5, 5, kRed);
    EXPECT_EQ(b.GetPixel(1, 1), kRed);
    EXPECT_EQ(CountColour(b, kRed), 1);
    EXPECT_EQ(canvas.GetPixel(0, 0), kRed);
}

TEST(TCanvasFocusRect, InvertsEveryOtherOutlinePixel) {
    TBitmap b(6, 4);
    b.Fill(clWhite);
    TCanvas canvas(b);
    canvas.DrawFocusRect({0, 0, 6, 4});
    EXPECT_EQ(b.GetPixel(0, 0), clBlack);
    EXPECT_EQ(b.GetPixel(1, 0), clWhite);
    EXPECT_EQ(b.GetPixel(2, 0), clBlack);
    EXPECT_EQ(b.GetPixel(0, 1), clWhite);
    EXPECT_EQ(b.GetPixel(0, 2), clBlack);
    EXPECT_EQ(b.GetPixel(5, 1), clBlack);
    EXPECT_EQ(b.GetPixel(2, 2), clWhite); // inside stays
    EXPECT_EQ(CountColour(b, clBlack), 8);
}

TEST(TCanvasFocusRect, DrawingTwiceRestores) {
    TBitmap b = Numbered(7, 5);
    const TBitmap before = b;
    TCanvas canvas(b);
    canvas.DrawFocusRect({1, 1, 6, 4});
    EXPECT_NE(b, before);
    canvas.DrawFocusRect({1, 1, 6, 4});
    EXPECT_EQ(b, before);
}

// ---- polygons and triangles

TEST(TCanvasPolygon, FillLeavesOutRightAndBottomEdges) {
    TBitmap b(8, 8);
    TCanvas canvas(b);
    const std::array<TPoint, 4> square = {TPoint{1, 1}, {5, 1}, {5, 4}, {1, 4}};
    canvas.FillPolygon(square, kRed);
    EXPECT_EQ(CountColour(b, kRed), 12);
    EXPECT_EQ(b.GetPixel(1, 1), kRed);
    EXPECT_EQ(b.GetPixel(4, 3), kRed);
    EXPECT_EQ(b.GetPixel(5, 3), clBlack);
}

TEST(TCanvasPolygon, TriangleRows) {
    TBitmap b(8, 4);
    TCanvas canvas(b);
    const std::array<TPoint, 3> arrow = {TPoint{0, 0}, {6, 0}, {3, 3}};
    canvas.FillPolygon(arrow, kRed);
    // Rows 0, 1, 2 meet the sides at x = 0..6, 1..5, 2..4, the right end excluded.
    EXPECT_EQ(CountColour(b, kRed), 6 + 4 + 2);
    EXPECT_EQ(b.GetPixel(0, 0), kRed);
    EXPECT_EQ(b.GetPixel(5, 0), kRed);
    EXPECT_EQ(b.GetPixel(6, 0), clBlack);
    EXPECT_EQ(b.GetPixel(1, 1), kRed);
    EXPECT_EQ(b.GetPixel(4, 1), kRed);
    EXPECT_EQ(b.GetPixel(3, 2), kRed);
    EXPECT_EQ(b.GetPixel(4, 2), clBlack);
    EXPECT_EQ(b.GetPixel(3, 3), clBlack);
}

TEST(TCanvasPolygon, EvenOddLeavesStarCentreOpenNonZeroFillsIt) {
    const std::array<TPoint, 5> star = {TPoint{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    TBitmap evenOdd(21, 21);
    TCanvas(evenOdd).FillPolygon(star, kRed, TFillRule::frEvenOdd);
    TBitmap nonZero(21, 21);
    TCanvas(nonZero).FillPolygon(star, kRed, TFillRule::frNonZero);
    EXPECT_EQ(evenOdd.GetPixel(10, 10), clBlack);
    EXPECT_EQ(nonZero.GetPixel(10, 10), kRed);
    EXPECT_EQ(evenOdd.GetPixel(10, 3), kRed);
    EXPECT_EQ(nonZero.GetPixel(10, 3), kRed);
}

TEST(TCanvasPolygon, PolygonAddsTheOutline) {
    TBitmap b(8, 5);
    TCanvas canvas(b);
    const std::array<TPoint, 3> arrow = {TPoint{0, 0}, {6, 0}, {3, 3}};
    canvas.Polygon(arrow, kRed);
    EXPECT_EQ(b.GetPixel(6, 0), kRed);
    EXPECT_EQ(b.GetPixel(3, 3), kRed);
    EXPECT_EQ(b.GetPixel(7, 0), clBlack);
    // The fill reaches the outline on every row.
    for (int y = 0; y < 3; ++y) {
        int x = 0;
        while (x < 8 && b.GetPixel(x, y) != kRed)
            ++x;
        while (x < 8 && b.GetPixel(x, y) == kRed)
            ++x;
        while (x < 8)
            EXPECT_NE(b.GetPixel(x++, y), kRed) << "gap in row " << y;
    }
}

TEST(TCanvasGradient, CornersTakeVertexColours) {
    TBitmap b(10, 10);
    TCanvas canvas(b);
    const TTriVertex topLeft{0, 0, 0xFF00, 0, 0, 0};
    const TTriVertex topRight{10, 0, 0, 0xFF00, 0, 0};
    const TTriVertex bottomLeft{0, 10, 0, 0, 0xFF00, 0};
    canvas.GradientFillTriangle(topLeft, topRight, bottomLeft);
    EXPECT_EQ(b.GetPixel(0, 0), kRed);
    // Half way along the top edge red and green share the value.
    EXPECT_EQ(b.GetPixel(5, 0), MakeColor(127, 127, 0));
    EXPECT_EQ(b.GetPixel(0, 5), MakeColor(127, 0, 127));
    // Below the diagonal stays untouched.
    EXPECT_EQ(b.GetPixel(9, 9), clBlack);
}

TEST(TCanvasGradient, TwoTrianglesCoverTheRectangleWithoutGaps) {
    TBitmap b(7, 5);
    b.Fill(clWhite);
    TCanvas canvas(b);
    const TTriVertex a{0, 0, 0x1000, 0x2000, 0x3000, 0};
    const TTriVertex c{7, 0, 0x1000, 0x2000, 0x3000, 0};
    const TTriVertex d{7, 5, 0x1000, 0x2000, 0x3000, 0};
    const TTriVertex e{0, 5, 0x1000, 0x2000, 0x3000, 0};
    canvas.GradientFillTriangle(a, c, d);
    canvas.GradientFillTriangle(a, d, e);
    EXPECT_EQ(CountColour(b, MakeColor(0x10, 0x20, 0x30)), 35);
}

TEST(TCanvasGradient, InterpolatesLinearlyAlongAnEdge) {
    TBitmap b(9, 2);
    TCanvas canvas(b);
    const TTriVertex a{0, 0, 0, 0, 0, 0};
    const TTriVertex c{8, 0, 0x8000, 0, 0, 0};
    const TTriVertex d{0, 8, 0, 0, 0, 0};
    canvas.GradientFillTriangle(a, c, d);
    EXPECT_EQ(GetRValue(b.GetPixel(2, 0)), 0x20);
    EXPECT_EQ(GetRValue(b.GetPixel(4, 0)), 0x40);
}

// ---- block copy

TEST(TCanvasCopy, NegativeDestinationCutsTheSource) {
    const TBitmap source = Numbered(5, 5);
    TBitmap b(4, 4);
    TCanvas canvas(b);
    canvas.CopyRect({-2, -1}, source, source.BoundsRect());
    EXPECT_EQ(b.GetPixel(0, 0), NumberedAt(2, 1));
    EXPECT_EQ(b.GetPixel(2, 3), NumberedAt(4, 4));
    EXPECT_EQ(b.GetPixel(3, 3), clBlack);
}

TEST(TCanvasCopy, DestinationBeyondTheBitmapCopiesThePartInside) {
    const TBitmap source = Numbered(4, 4);
    TBitmap b(5, 5);
    TCanvas canvas(b);
    canvas.CopyRect({3, 4}, source, source.BoundsRect());
    EXPECT_EQ(b.GetPixel(3, 4), NumberedAt(0, 0));
    EXPECT_EQ(b.GetPixel(4, 4), NumberedAt(1, 0));
    EXPECT_EQ(CountColour(b, clBlack), 23);
    canvas.CopyRect({50, 50}, source, source.BoundsRect());
    canvas.CopyRect({-50, 0}, source, source.BoundsRect());
    EXPECT_EQ(CountColour(b, clBlack), 23);
}

TEST(TCanvasCopy, SourceRectangleOutsideTheSourceIsCut) {
    const TBitmap source = Numbered(4, 4);
    TBitmap b(6, 6);
    TCanvas canvas(b);
    canvas.CopyRect({1, 1}, source, {-1, -1, 2, 2});
    EXPECT_EQ(b.GetPixel(1, 1), clBlack);
    EXPECT_EQ(b.GetPixel(2, 2), NumberedAt(0, 0));
    EXPECT_EQ(b.GetPixel(3, 3), NumberedAt(1, 1));
    EXPECT_EQ(b.GetPixel(4, 4), clBlack);
}

TEST(TCanvasCopy, HonoursOriginAndClip) {
    const TBitmap source = Numbered(3, 3);
    TBitmap b(6, 6);
    TCanvas canvas(b);
    canvas.OffsetOrigin(2, 2);
    canvas.ExcludeClipRect({1, 1, 2, 2});
    canvas.Draw(0, 0, source);
    EXPECT_EQ(b.GetPixel(2, 2), NumberedAt(0, 0));
    EXPECT_EQ(b.GetPixel(3, 3), clBlack);
    EXPECT_EQ(b.GetPixel(4, 4), NumberedAt(2, 2));
}

TEST(TCanvasCopy, RegionClippedCopy) {
    const TBitmap source = Numbered(4, 4);
    TBitmap b(4, 4);
    TCanvas canvas(b);
    TRegion region(TRect{0, 0, 4, 4});
    region.Subtract(TRect{0, 0, 2, 1});
    canvas.CopyRect({0, 0}, source, source.BoundsRect(), region);
    EXPECT_EQ(b.GetPixel(0, 0), clBlack);
    EXPECT_EQ(b.GetPixel(1, 0), clBlack);
    EXPECT_EQ(b.GetPixel(2, 0), NumberedAt(2, 0));
    EXPECT_EQ(b.GetPixel(0, 1), NumberedAt(0, 1));
    // The region applied to that copy only.
    canvas.Draw(0, 0, source);
    EXPECT_EQ(b.GetPixel(0, 0), NumberedAt(0, 0));
}

TEST(TCanvasCopy, ConvertsBetweenFormats) {
    TBitmap source(2, 1, TPixelFormat::pf8bit);
    std::vector<TColor> palette(256, clBlack);
    palette[3] = kBlue;
    source.SetPalette(palette);
    source.ScanLine(0)[1] = 3;
    TBitmap b(2, 1, TPixelFormat::pf32bit);
    TCanvas(b).Draw(0, 0, source);
    EXPECT_EQ(b.GetPixel(1, 0), kBlue);
    TBitmap wide = Numbered(2, 1, TPixelFormat::pf32bit);
    TBitmap narrow(2, 1);
    TCanvas(narrow).Draw(0, 0, wide);
    EXPECT_EQ(narrow.GetPixel(1, 0), NumberedAt(1, 0));
}

TEST(TCanvasCopy, OverlappingCopyWithinOneBitmap) {
    TBitmap b = Numbered(4, 1);
    TCanvas canvas(b);
    canvas.CopyRect({1, 0}, b, {0, 0, 3, 1});
    EXPECT_EQ(b.GetPixel(1, 0), NumberedAt(0, 0));
    EXPECT_EQ(b.GetPixel(3, 0), NumberedAt(2, 0));
}

// ---- stretch

TEST(TCanvasStretch, HalvingACheckerboardGivesTheMean) {
    TBitmap source(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            source.SetPixel(x, y, (x + y) % 2 ? MakeColor(200, 100, 40) : clBlack);
    TBitmap b(4, 4);
    TCanvas(b).StretchDraw(b.BoundsRect(), source, source.BoundsRect());
    EXPECT_EQ(CountColour(b, MakeColor(100, 50, 20)), 16);
}

TEST(TCanvasStretch, FractionalFootprintsWeighByArea) {
    TBitmap source(3, 1);
    source.SetPixel(0, 0, MakeColor(0, 0, 0));
    source.SetPixel(1, 0, MakeColor(90, 0, 0));
    source.SetPixel(2, 0, MakeColor(180, 0, 0));
    TBitmap b(2, 1);
    TCanvas(b).StretchDraw(b.BoundsRect(), source, source.BoundsRect());
    EXPECT_EQ(GetRValue(b.GetPixel(0, 0)), 30);
    EXPECT_EQ(GetRValue(b.GetPixel(1, 0)), 150);
}

TEST(TCanvasStretch, SameSizeIsAnExactCopy) {
    const TBitmap source = Numbered(5, 4);
    TBitmap b(5, 4);
    TCanvas(b).StretchDraw(b.BoundsRect(), source, source.BoundsRect());
    EXPECT_EQ(b, source);
}

TEST(TCanvasStretch, DoublingRepeatsEachPixel) {
    const TBitmap source = Numbered(2, 2);
    TBitmap b(4, 4);
    TCanvas(b).StretchDraw(b.BoundsRect(), source, source.BoundsRect());
    EXPECT_EQ(b.GetPixel(0, 0), NumberedAt(0, 0));
    EXPECT_EQ(b.GetPixel(1, 1), NumberedAt(0, 0));
    EXPECT_EQ(b.GetPixel(3, 2), NumberedAt(1, 1));
}

TEST(TCanvasStretch, ClippedToTheCanvas) {
    TBitmap source(2, 2);
    source.Fill(kRed);
    TBitmap b(4, 4);
    TCanvas canvas(b);
    canvas.IntersectClipRect({0, 0, 2, 4});
    canvas.StretchDraw({-4, -4, 8, 8}, source, source.BoundsRect());
    EXPECT_EQ(CountColour(b, kRed), 8);
}

TEST(TCanvasStretch, HugeDestinationOnlyWorksOutTheVisiblePart) {
    TBitmap source(2, 1);
    source.SetPixel(0, 0, kRed);
    source.SetPixel(1, 0, kBlue);
    TBitmap b(4, 1);
    TCanvas(b).StretchDraw({-1000000000, 0, 1000000000, 1}, source, source.BoundsRect());
    EXPECT_EQ(b.GetPixel(0, 0), kBlue);
    EXPECT_EQ(b.GetPixel(3, 0), kBlue);
}

TEST(TCanvasStretch, PartlyVisibleDestinationKeepsItsMapping) {
    TBitmap source(4, 1);
    for (int x = 0; x < 4; ++x)
        source.SetPixel(x, 0, MakeColor(std::uint8_t(x * 60), 0, 0));
    TBitmap b(4, 1);
    TCanvas(b).StretchDraw({-4, 0, 4, 1}, source, source.BoundsRect());
    EXPECT_EQ(GetRValue(b.GetPixel(0, 0)), 120);
    EXPECT_EQ(GetRValue(b.GetPixel(2, 0)), 180);
}
