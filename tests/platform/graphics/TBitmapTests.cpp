#include <gtest/gtest.h>

#include "platform/graphics/PixelMemory.h"
#include "platform/graphics/TBitmap.h"

TEST(TBitmap, RowsArePaddedToFourBytes) {
    EXPECT_EQ(TBitmap(5, 2, TPixelFormat::pf24bit).RowStep(), 16);
    EXPECT_EQ(TBitmap(5, 2, TPixelFormat::pf8bit).RowStep(), 8);
    EXPECT_EQ(TBitmap(5, 2, TPixelFormat::pf32bit).RowStep(), 20);
}

TEST(TBitmap, ScanLineHoldsBlueGreenRed) {
    TBitmap b(2, 2);
    b.SetPixel(1, 1, MakeColor(10, 20, 30));
    const std::uint8_t* p = b.ScanLine(1) + 3;
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
}

TEST(TBitmap, ZeroSizeIsAllowed) {
    TBitmap b(0, 3);
    EXPECT_TRUE(b.IsEmpty());
    b.Fill(clWhite);
    EXPECT_EQ(b.GetPixel(0, 0), clBlack);
}

TEST(TBitmap, PalettisedConvertsToTwentyFourBits) {
    TBitmap b(2, 1, TPixelFormat::pf8bit);
    std::vector<TColor> palette(4, clBlack);
    palette[2] = MakeColor(1, 2, 3);
    b.SetPalette(palette);
    b.ScanLine(0)[0] = 2;
    b.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(b.GetPixel(0, 0), MakeColor(1, 2, 3));
    EXPECT_EQ(b.GetPixel(1, 0), clBlack);
}

TEST(TBitmap, CopyIsIndependent) {
    TBitmap a(2, 2);
    TBitmap b = a;
    b.SetPixel(0, 0, clWhite);
    EXPECT_EQ(a.GetPixel(0, 0), clBlack);
    EXPECT_NE(a, b);
}

TEST(TBitmap, IndexOutsideThePaletteReadsBlack) {
    TBitmap b(1, 1, TPixelFormat::pf8bit);
    b.SetPalette({clWhite});
    b.ScanLine(0)[0] = 9;
    EXPECT_EQ(b.GetPixel(0, 0), clBlack);
}

TEST(TBitmapLarge, FullScreenBitmapStartsBlackAndTakesWhatIsWritten) {
    TBitmap b(1920, 1080, TPixelFormat::pf32bit);
    ASSERT_GE(std::size_t(b.RowStep()) * 1080, LargePixelBlock);
    for (int y = 0; y < b.Height(); y += 97)
        for (int x = 0; x < b.Width(); x += 131)
            ASSERT_EQ(b.GetPixel(x, y), clBlack) << x << "," << y;
    EXPECT_EQ(b.GetPixel(1919, 1079), clBlack);
    b.SetPixel(1919, 1079, MakeColor(1, 2, 3));
    EXPECT_EQ(b.GetPixel(1919, 1079), MakeColor(1, 2, 3));
}

TEST(TBitmapLarge, ResizingAPaintedBitmapMakesItBlackAgain) {
    TBitmap b(1600, 900);
    b.Fill(clWhite);
    // Smaller: the block is reused; larger: a fresh one is taken.
    b.SetSize(1500, 900);
    EXPECT_EQ(b.GetPixel(1499, 899), clBlack);
    EXPECT_EQ(b.GetPixel(700, 400), clBlack);
    b.Fill(clWhite);
    b.SetSize(1920, 1080);
    EXPECT_EQ(b.GetPixel(1919, 1079), clBlack);
    EXPECT_EQ(b.GetPixel(700, 400), clBlack);
}

TEST(TBitmapLarge, CopiesAndMovesKeepThePicture) {
    TBitmap b(1920, 1080);
    b.SetPixel(5, 1000, MakeColor(9, 8, 7));
    TBitmap copy = b;
    EXPECT_EQ(copy, b);
    copy.SetPixel(5, 1000, clWhite);
    EXPECT_EQ(b.GetPixel(5, 1000), MakeColor(9, 8, 7));
    TBitmap moved = std::move(copy);
    EXPECT_EQ(moved.GetPixel(5, 1000), clWhite);
    moved = TBitmap(2, 2);
    EXPECT_EQ(moved.GetPixel(1, 1), clBlack);
}

TEST(TBitmap, AssigningOverABitmapOfAnotherSizeTakesItsPictureWhole) {
    TBitmap small(3, 2);
    small.SetPixel(2, 1, MakeColor(4, 5, 6));
    TBitmap big(40, 30);
    big.Fill(clWhite);
    big = small; // into a block larger than needed
    EXPECT_EQ(big, small);
    EXPECT_EQ(big.GetPixel(2, 1), MakeColor(4, 5, 6));
    TBitmap grown(3, 2);
    grown = TBitmap(40, 30);
    grown.Fill(clWhite);
    small = grown; // into a block too small
    EXPECT_EQ(small.GetPixel(39, 29), clWhite);
    const TBitmap& same = small;
    small = same;
    EXPECT_EQ(small.GetPixel(39, 29), clWhite);
}

TEST(TBitmap, EqualityComparesEveryByteOfTheSameSize) {
    TBitmap a(5, 5), b(5, 5);
    EXPECT_EQ(a, b);
    b.SetPixel(4, 4, MakeColor(0, 0, 1));
    EXPECT_NE(a, b);
    EXPECT_NE(TBitmap(5, 4), TBitmap(4, 5));
    EXPECT_EQ(TBitmap(0, 3), TBitmap(0, 3));
}

TEST(TBitmap, PalettisedFillWritesTheIndexEverywhere) {
    TBitmap b(3, 3, TPixelFormat::pf8bit);
    b.SetPalette(std::vector<TColor>(256, clBlack));
    b.Fill(7);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(b.ScanLine(y)[x], 7) << x << "," << y;
}
