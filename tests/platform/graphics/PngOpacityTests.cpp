#include <gtest/gtest.h>

#include "platform/graphics/PngReader.h"
#include "platform/graphics/PngWriter.h"

TEST(PngWithOpacity, OpaqueImageKeepsItsColoursAndIsFullyOpaque) {
    TBitmap source(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            source.SetPixel(x, y, MakeColor(std::uint8_t(x * 80), std::uint8_t(y * 120), 7));
    const std::vector<std::uint8_t> png = WritePngToMemory(source);
    const std::optional<TBitmap> decoded = ReadPngWithOpacity(png);
    ASSERT_TRUE(decoded);
    const TBitmap& read = *decoded;
    ASSERT_EQ(read.Size(), source.Size());
    ASSERT_EQ(read.PixelFormat(), TPixelFormat::pf32bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(read.GetPixel(x, y), source.GetPixel(x, y)) << x << "," << y;
            EXPECT_EQ(read.ScanLine(y)[x * 4 + 3], 255) << x << "," << y;
        }
}

TEST(PngWithOpacity, DataThatIsNoPngGivesNothing) {
    const std::vector<std::uint8_t> bmpLike{'B', 'M', 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(ReadPngWithOpacity(bmpLike));
    EXPECT_FALSE(ReadPngWithOpacity({}));
}

TEST(PngWithOpacity, CutShortPngGivesNothing) {
    TBitmap source(40, 40);
    source.Fill(MakeColor(1, 2, 3));
    std::vector<std::uint8_t> png = WritePngToMemory(source);
    png.resize(png.size() / 2);
    EXPECT_FALSE(ReadPngWithOpacity(png));
}
