#include <gtest/gtest.h>

#include "controls/LabelGlow.h"
#include "platform/graphics/TBitmap.h"

namespace {

// Cell (x, y) of a grid around a bitmap of the given width.
std::uint8_t& Cell(std::vector<std::uint8_t>& buffer, int width, int x, int y) {
    return buffer[std::size_t(y) * std::size_t(width + 2) + std::size_t(x)];
}

TEST(GlowMaskTest, GrowsToTwiceTheGridAndNeverShrinks) {
    std::vector<std::uint8_t> buffer;
    PrepareGlowMask(buffer, 4, 3);
    EXPECT_EQ(buffer.size(), 2u * 6u * 5u);
    PrepareGlowMask(buffer, 1, 1);
    EXPECT_EQ(buffer.size(), 60u);
    PrepareGlowMask(buffer, 10, 10);
    EXPECT_EQ(buffer.size(), 2u * 12u * 12u);
}

TEST(GlowMaskTest, PreparingClearsTheWholeSize) {
    std::vector<std::uint8_t> buffer(100, 7);
    PrepareGlowMask(buffer, 3, 3); // 2 x 25 cells
    for (std::size_t i = 0; i < 50; ++i)
        EXPECT_EQ(buffer[i], 0) << i;
    EXPECT_EQ(buffer[50], 7);
}

TEST(GlowMaskTest, StampMarksPixelsWithABlueByte) {
    TBitmap shape(3, 2, TPixelFormat::pf32bit);
    shape.SetPixel(0, 0, 0x010000); // blue 1
    shape.SetPixel(1, 0, 0x0000FF); // red only
    shape.SetPixel(2, 1, 0xFFFFFF);
    std::vector<std::uint8_t> buffer;
    std::uint8_t* cells = PrepareGlowMask(buffer, 3, 2);
    StampGlowMask(cells, shape);
    EXPECT_EQ(Cell(buffer, 3, 1, 1), 255);
    EXPECT_EQ(Cell(buffer, 3, 2, 1), 0);
    EXPECT_EQ(Cell(buffer, 3, 3, 2), 255);
    EXPECT_EQ(Cell(buffer, 3, 0, 0), 0);
}

// One pass over a single stamped cell (3, 3) of a 5 x 5 bitmap, worked out by hand from the
// rule: each cell is the sum of its four neighbours >> 2, where the neighbours above and to the
// left already hold this pass's values. Row 2: (3,2) = 255 >> 2 = 63, (4,2) = 63 >> 2 = 15,
// (5,2) = 3. Row 3: (2,3) = 255 >> 2 = 63, (3,3) = (63 + 63) >> 2 = 31, (4,3) = (15 + 31) >> 2
// = 11, (5,3) = (3 + 11) >> 2 = 3. Row 4: 15, (31 + 15) >> 2 = 11, (11 + 11) >> 2 = 5,
// (3 + 5) >> 2 = 2. Row 5: 3, (11 + 3) >> 2 = 3, (5 + 3) >> 2 = 2, (2 + 2) >> 2 = 1.
TEST(GlowMaskTest, BlurUsesTheValuesAlreadyReplacedAboveAndLeft) {
    std::vector<std::uint8_t> buffer;
    std::uint8_t* cells = PrepareGlowMask(buffer, 5, 5);
    Cell(buffer, 5, 3, 3) = 255;
    BlurGlowMask(cells, 5, 5);
    const int expected[5][5] = {
        {0, 0, 0, 0, 0}, {0, 0, 63, 15, 3}, {0, 63, 31, 11, 3}, {0, 15, 11, 5, 2}, {0, 3, 3, 2, 1},
    };
    for (int y = 1; y <= 5; ++y)
        for (int x = 1; x <= 5; ++x)
            EXPECT_EQ(Cell(buffer, 5, x, y), expected[y - 1][x - 1]) << x << "," << y;
}

TEST(GlowMaskTest, BorderCellsStayZero) {
    std::vector<std::uint8_t> buffer;
    std::uint8_t* cells = PrepareGlowMask(buffer, 2, 2);
    TBitmap shape(2, 2, TPixelFormat::pf32bit);
    shape.Fill(clWhite);
    for (int pass = 0; pass < 3; ++pass) {
        StampGlowMask(cells, shape);
        BlurGlowMask(cells, 2, 2);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Cell(buffer, 2, i, 0), 0);
        EXPECT_EQ(Cell(buffer, 2, i, 3), 0);
        EXPECT_EQ(Cell(buffer, 2, 0, i), 0);
        EXPECT_EQ(Cell(buffer, 2, 3, i), 0);
    }
}

TEST(GlowComposeTest, UntouchedPixelsLoseOneStep) {
    TBitmap glow(2, 1, TPixelFormat::pf32bit);
    glow.Fill(clWhite);
    glow.ScanLine(0)[3] = 0x5A; // the fourth byte is not the glow's
    std::vector<std::uint8_t> buffer;
    std::uint8_t* cells = PrepareGlowMask(buffer, 2, 1);
    ComposeGlowOverPixels(glow, cells, {0x3B, 0x3B, 0x25});
    EXPECT_EQ(glow.GetPixel(0, 0), MakeColor(254, 254, 254));
    EXPECT_EQ(glow.ScanLine(0)[3], 0x5A);
}

TEST(GlowComposeTest, WeightsTheShadowOverThePixels) {
    TBitmap glow(1, 1, TPixelFormat::pf32bit);
    glow.SetPixel(0, 0, MakeColor(200, 100, 10));
    std::vector<std::uint8_t> buffer;
    std::uint8_t* cells = PrepareGlowMask(buffer, 1, 1);
    buffer[4] = 128; // cell (1, 1)
    ComposeGlowOverPixels(glow, cells, {0x3B, 0x3B, 0x25});
    EXPECT_EQ(glow.GetPixel(0, 0), MakeColor(std::uint8_t((200 * 127 + 0x3B * 128) >> 8),
                                             std::uint8_t((100 * 127 + 0x3B * 128) >> 8),
                                             std::uint8_t((10 * 127 + 0x25 * 128) >> 8)));
}

TEST(GlowComposeTest, OpaqueLabelsComposeOverTheirColour) {
    TBitmap glow(1, 1, TPixelFormat::pf32bit);
    glow.Fill(clWhite); // ignored: the background colour stands under the glow
    std::vector<std::uint8_t> buffer;
    std::uint8_t* cells = PrepareGlowMask(buffer, 1, 1);
    buffer[4] = 255;
    ComposeGlowOverColour(glow, cells, {0, 0, 0}, {100, 50, 20});
    EXPECT_EQ(glow.GetPixel(0, 0), MakeColor(0, 0, 0));
    buffer[4] = 0;
    ComposeGlowOverColour(glow, cells, {0, 0, 0}, {100, 50, 20});
    EXPECT_EQ(glow.GetPixel(0, 0), MakeColor(99, 49, 19));
}

} // namespace
