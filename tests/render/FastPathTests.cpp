#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "render/Blend.h"
#include "render/BorderMask.h"
#include "render/TacFast24.h"
#include "render/TacFast32.h"
#include "render/support/RenderTestSupport.h"

using namespace rendertest;

TEST(FastPaths, BlendWithColorTablesMatchTheRoundingRule) {
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> percent(0, 100);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    for (int round = 0; round < 50; ++round) {
        const TBitmap before = Noise(9, 7, random);
        TBitmap b = before;
        const int p = percent(random);
        const TColor c = colour(random);
        BlendWithColor(b, b.BoundsRect(), p, c);
        const double f = p / 100.0;
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x) {
                const TColor d = before.GetPixel(x, y);
                auto rule = [f](int dv, int cv) {
                    return std::uint8_t(std::nearbyint(f * dv + (1 - f) * cv));
                };
                ASSERT_EQ(b.GetPixel(x, y),
                          MakeColor(rule(Red(d), Red(c)), rule(Green(d), Green(c)), rule(Blue(d), Blue(c))));
            }
    }
}

TEST(FastPaths, MaskBlendRowsMatchTheRuleOnRandomMasks) {
    std::mt19937 random(99);
    for (int round = 0; round < 40; ++round) {
        TTestSkin skin;
        skin.Model().MasterBitmap = Noise(6, 12, random);
        // No key pixels in the image half, so every pixel takes the plain rule.
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x)
                if (skin.Model().MasterBitmap.GetPixel(x, y) == clFuchsia)
                    skin.Model().MasterBitmap.SetPixel(x, y, 0);
        const int index = skin.AddMask(MaskEntry("B", "BORDERSMASK", {0, 0, 6, 12}, 1, 1, 4, 2, 2, 2, 2));
        const TBitmap before = Noise(6, 6, random);
        TBitmap face = before;
        DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::Yes, 0, skin.Mask(index), {});
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x)
                ASSERT_EQ(face.GetPixel(x, y),
                          MaskBlendColour(before.GetPixel(x, y), skin.Model().MasterBitmap.GetPixel(x, y),
                                          skin.Model().MasterBitmap.GetPixel(x, y + 6)));
    }
}

TEST(PixelAccessors, AttachOnlyToBitmapsOfTheirFormatAndAtLeastTwoByTwo) {
    TacFast24 fast24;
    TacFast32 fast32;
    EXPECT_FALSE(fast24.Attach(TBitmap(1, 5)));
    EXPECT_FALSE(fast24.Attach(TBitmap(5, 5, TPixelFormat::pf32bit)));
    EXPECT_FALSE(fast32.Attach(TBitmap(5, 5)));
    EXPECT_FALSE(fast32.Attach(TBitmap(5, 1, TPixelFormat::pf32bit)));
    TBitmap b24(4, 3), b32(4, 3, TPixelFormat::pf32bit);
    b24.SetPixel(3, 2, 0x123456);
    b32.SetPixel(3, 2, 0x654321);
    ASSERT_TRUE(fast24.Attach(b24));
    ASSERT_TRUE(fast32.Attach(b32));
    EXPECT_EQ(fast24.Pixel(3, 2), 0x123456u);
    EXPECT_EQ(fast32.Pixel(3, 2), 0x654321u);
    EXPECT_TRUE(fast24.Contains(3, 2));
    EXPECT_FALSE(fast24.Contains(4, 2));
    EXPECT_EQ(&TacFast24::Shared(), &TacFast24::Shared());
}
