#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/canvas/TCanvas.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Blend.h"
#include "render/ParentColors.h"
#include "render/support/RenderTestSupport.h"

using namespace rendertest;

namespace {

int BlendRule(int dst, int src, int a) {
    return (dst * a + src * (255 - a) + 127) >> 8;
}

int RoundHalfEven(double v) {
    return int(std::nearbyint(v));
}

} // namespace

TEST(BlendBitmaps, FollowsTheRuleOnRandomRectanglesAndPoints) {
    std::mt19937 random(77);
    std::uniform_int_distribution<int> size(2, 30), coordinate(-12, 40), byte(0, 255);
    for (int round = 0; round < 300; ++round) {
        TBitmap target = Noise(size(random), size(random), random);
        const TBitmap source = Noise(size(random), size(random), random);
        const TBitmap before = target;
        const TBlendAlpha alpha = round % 2
                                      ? TBlendAlpha::All(std::uint8_t(byte(random)))
                                      : TBlendAlpha{std::uint8_t(byte(random)), std::uint8_t(byte(random)),
                                                    std::uint8_t(byte(random))};
        const TRect rect{coordinate(random), coordinate(random), coordinate(random), coordinate(random)};
        const TPoint at{coordinate(random), coordinate(random)};
        BlendBitmaps(target, source, alpha, at, rect);

        TBitmap expected = before;
        for (int sy = std::max(rect.Top, 0); sy < std::min(rect.Bottom, source.Height()); ++sy)
            for (int sx = std::max(rect.Left, 0); sx < std::min(rect.Right, source.Width()); ++sx) {
                const int dx = at.X + sx - rect.Left, dy = at.Y + sy - rect.Top;
                if (dx < 0 || dy < 0 || dx >= target.Width() || dy >= target.Height()) continue;
                const TColor d = before.GetPixel(dx, dy), s = source.GetPixel(sx, sy);
                expected.SetPixel(dx, dy,
                                  MakeColor(std::uint8_t(BlendRule(Red(d), Red(s), alpha.R)),
                                            std::uint8_t(BlendRule(Green(d), Green(s), alpha.G)),
                                            std::uint8_t(BlendRule(Blue(d), Blue(s), alpha.B))));
            }
        ASSERT_EQ(target, expected) << "round " << round;
    }
}

TEST(BlendBitmaps, FullWeightOnTheSourceShowsHighValuesOneLower) {
    TBitmap target = Solid(3, 3, clBlack);
    BlendBitmaps(target, Solid(3, 3, MakeColor(200, 128, 127)), std::uint8_t(0));
    EXPECT_EQ(target.GetPixel(1, 1), MakeColor(199, 127, 127));
}

TEST(BlendBitmaps, WholeFormNeedsEqualSizes) {
    TBitmap target = Solid(3, 3, clBlack);
    BlendBitmaps(target, Solid(3, 4, clWhite), std::uint8_t(0));
    EXPECT_EQ(target, Solid(3, 3, clBlack));
}

TEST(BlendBitmaps, BitmapsBelowTwoByTwoAreSkipped) {
    TBitmap target = Solid(1, 5, clBlack);
    BlendBitmaps(target, Solid(1, 5, clWhite), std::uint8_t(0));
    EXPECT_EQ(target, Solid(1, 5, clBlack));
}

TEST(BlendWithColor, KeepsThePercentOfThePictureWithTiesToEven) {
    TBitmap b = Solid(4, 4, MakeColor(1, 3, 100));
    BlendWithColor(b, {0, 0, 2, 4}, 50, clBlack);
    EXPECT_EQ(b.GetPixel(0, 0), MakeColor(0, 2, 50)); // 0.5 -> 0, 1.5 -> 2
    EXPECT_EQ(b.GetPixel(2, 0), MakeColor(1, 3, 100));
    BlendWithColor(b, b.BoundsRect(), 40, MakeColor(10, 20, 30));
    EXPECT_EQ(b.GetPixel(3, 3), MakeColor(std::uint8_t(RoundHalfEven(0.4 * 1 + 0.6 * 10)),
                                          std::uint8_t(RoundHalfEven(0.4 * 3 + 0.6 * 20)),
                                          std::uint8_t(RoundHalfEven(0.4 * 100 + 0.6 * 30))));
}

TEST(MixColors, MixesEachChannelAndKeepsTheTopByteOfTheFirst) {
    EXPECT_EQ(MixColors(0xAA302010, 0x00000000, 0.5), 0xAA181008u);
    EXPECT_EQ(MixColors(0x00030101, 0x00000000, 0.5), 0x00020000u); // 1.5 -> 2, 0.5 -> 0
    EXPECT_EQ(MixColors(0x00FFFFFF, 0x00000000, 0.4), MakeColor(102, 102, 102));
}

TEST(FillWithColor, FillsTheRectangleAndRestoresTheCanvas) {
    TBitmap b = Solid(4, 4, clBlack);
    TCanvas canvas(b);
    canvas.SetBrushColor(0x123456);
    FillWithColor(canvas, {1, 1, 3, 3}, 0x00FF00);
    EXPECT_EQ(b.GetPixel(1, 1), 0x00FF00u);
    EXPECT_EQ(b.GetPixel(0, 0), clBlack);
    EXPECT_EQ(canvas.BrushColor(), 0x123456u);
}

class DisabledLook : public ::testing::Test {
protected:
    void SetUp() override { ResetParentColors(); }
    void TearDown() override { ResetParentColors(); }
};

TEST_F(DisabledLook, GrayedTakesTheMeanOfTheThreeBytes) {
    TBitmap face = Solid(3, 3, MakeColor(31, 20, 10));
    ApplyDisabledLook(face, {TDisabledKind::dkGrayed}, nullptr, {0, 0}, {});
    EXPECT_EQ(face.GetPixel(2, 2), MakeColor(20, 20, 20));
}

TEST_F(DisabledLook, BlendedKeepsFortyPercentOverAThirtyTwoBitParentFace) {
    TBitmap parent(10, 10, TPixelFormat::pf32bit);
    parent.Fill(MakeColor(200, 100, 0));
    parent.SetPixel(6, 7, MakeColor(7, 8, 9));
    TBitmap face = Solid(3, 3, MakeColor(10, 20, 250));
    const ParentBackground background{&parent, 1, 2, true};
    ApplyDisabledLook(face, {TDisabledKind::dkBlended}, nullptr, {3, 4}, background);
    auto keep40 = [](int p, int d) { return std::uint8_t(RoundHalfEven(p - 0.4 * (p - d))); };
    EXPECT_EQ(face.GetPixel(0, 0), MakeColor(keep40(200, 10), keep40(100, 20), keep40(0, 250)));
    // Face pixel (2, 1) lies over parent pixel (1 + 3 + 2, 2 + 4 + 1).
    EXPECT_EQ(face.GetPixel(2, 1), MakeColor(keep40(7, 10), keep40(8, 20), keep40(9, 250)));
}

TEST_F(DisabledLook, BothKindsOverAParentWithoutAFaceGreyThenBlendWithItsColour) {
    TWinControl parent(nullptr);
    parent.SetColor(MakeColor(0, 100, 201));
    TBitmap face = Solid(3, 3, MakeColor(30, 60, 90));
    ApplyDisabledLook(face, {TDisabledKind::dkGrayed, TDisabledKind::dkBlended}, &parent, {0, 0}, {});
    auto half = [](int d, int c) { return std::uint8_t(RoundHalfEven(0.5 * d + 0.5 * c)); };
    EXPECT_EQ(face.GetPixel(1, 1), MakeColor(half(60, 0), half(60, 100), half(60, 201)));
}

TEST_F(DisabledLook, KnownParentFillColourWinsOverTheParentControlsColour) {
    TWinControl parent(nullptr);
    parent.SetColor(clBlack);
    SetParentFillColor(clWhite);
    TBitmap face = Solid(3, 3, MakeColor(0, 0, 0));
    ApplyDisabledLook(face, {TDisabledKind::dkBlended}, &parent, {0, 0}, {});
    EXPECT_EQ(face.GetPixel(0, 0), MakeColor(128, 128, 128)); // 127.5 rounds to even
}
