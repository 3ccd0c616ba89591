#include <gtest/gtest.h>

#include "platform/text/TFont.h"
#include "platform/text/TextRenderer.h"

namespace {

TFont FontOfHeight(int height) {
    TFont font;
    font.SetHeight(height);
    return font;
}

} // namespace

TEST(TFontSize, PointsBecomeNegativePixelHeightsAt96Dpi) {
    const std::pair<int, int> cases[] = {{8, -11}, {10, -13}, {12, -16}, {14, -19}, {18, -24}};
    for (auto [points, height] : cases) {
        TFont font;
        font.SetSize(points);
        EXPECT_EQ(font.Height(), height) << points << " pt";
        EXPECT_EQ(font.Size(), points) << height << " px";
    }
}

TEST(TFontSize, SizeRoundsHalfAwayFromZero) {
    EXPECT_EQ(FontOfHeight(-2).Size(), 2);   // 1.5 points
    EXPECT_EQ(FontOfHeight(-13).Size(), 10); // 9.75 points
    EXPECT_EQ(FontOfHeight(2).Size(), -2);
}

TEST(TFontHeight, NegativeHeightIsTheEmHeight) {
    TFont font;
    font.SetSize(8);
    EXPECT_EQ(TextRenderer::EmHeight(font), 11);
    EXPECT_GT(TextRenderer::CellHeight(font), 11);
    EXPECT_EQ(TextRenderer::CellHeight(font), TextRenderer::TextExtent(font, "Кнопка").Height);
}

TEST(TFontHeight, PositiveHeightIsTheCellHeight) {
    EXPECT_EQ(TextRenderer::CellHeight(FontOfHeight(20)), 20);
    EXPECT_LT(TextRenderer::EmHeight(FontOfHeight(20)), 20);
    EXPECT_EQ(TextRenderer::CellHeight(FontOfHeight(13)), 13);
}

TEST(TFontHeight, OddHeightsAreClampedNotFatal) {
    EXPECT_GT(TextRenderer::CellHeight(FontOfHeight(0)), 0);
    EXPECT_LE(TextRenderer::CellHeight(FontOfHeight(-1000000)), 2000);
    EXPECT_GE(TextRenderer::EmHeight(FontOfHeight(1)), 1);
}

TEST(TFontLookup, UnknownFamilyFallsBackToAnInstalledFace) {
    TFont font;
    font.SetName("No Such Family At All");
    EXPECT_GT(TextRenderer::TextExtent(font, "Кнопка").Width, 20);
}

TEST(TFontHeight, EightPointDejaVuSansIsThirteenPixelsHigh) {
    TFont font;
    font.SetName("DejaVu Sans");
    font.SetSize(8);
    EXPECT_EQ(TextRenderer::CellHeight(font), 13);
}

TEST(TFontLookup, BoldIsMadeUpForAFamilyWithoutABoldFace) {
    // The installed DejaVu Math family has only a regular face.
    TFont regular;
    regular.SetName("DejaVu Math TeX Gyre");
    regular.SetSize(12);
    TFont bold = regular;
    bold.SetStyle(bold.Style().With(TFontStyle::fsBold));
    EXPECT_GT(TextRenderer::TextExtent(bold, "Button").Width,
              TextRenderer::TextExtent(regular, "Button").Width);
}
