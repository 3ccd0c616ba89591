#include "app/ButtonScaling.h"
#include "app/DialogPlacement.h"

#include <gtest/gtest.h>

TEST(ScaleDesignValue, TruncatesTheQuotient) {
    EXPECT_EQ(ScaleDesignValue(416, 1920, DesignWidth), 773);
    EXPECT_EQ(ScaleDesignValue(296, 1080, DesignHeight), 427);
    EXPECT_EQ(ScaleDesignValue(241, 1920, DesignWidth), 448);
    EXPECT_EQ(ScaleDesignValue(129, 1080, DesignHeight), 186);
}

TEST(ScaleDesignValue, TruncatesTowardZeroForNegativeValues) {
    // -7 * 1000 / 1032 = -6.78...
    EXPECT_EQ(ScaleDesignValue(-7, 1000, DesignWidth), -6);
}

TEST(ScaleDesignValue, KeepsTheDesignValueAtTheDesignSize) {
    EXPECT_EQ(ScaleDesignValue(904, DesignWidth, DesignWidth), 904);
    EXPECT_EQ(ScaleDesignValue(17, DesignHeight, DesignHeight), 17);
}

TEST(ScaleDesignValue, MultipliesIn32BitsAsThePlatformDoes) {
    // 70001 * 70000 = 4900070000 wraps to 605102704; / 1032 = 586339.8...
    EXPECT_EQ(ScaleDesignValue(70001, 70000, DesignWidth), 586339);
    // 50000 * 50000 = 2500000000 wraps to -1794967296; / 1032 = -1739309.39...
    EXPECT_EQ(ScaleDesignValue(50000, 50000, DesignWidth), -1739309);
}

TEST(ScaleAxis, ShrinksAClassOneButtonAt800By600) {
    EXPECT_EQ(ScaleAxis(176, 70, 800, DesignWidth, 0), (TAxisPlacement{136, 54}));
    EXPECT_EQ(ScaleAxis(368, 17, 600, DesignHeight, 0), (TAxisPlacement{295, 13}));
}

TEST(ScaleAxis, RaisesTheExtentToTheCaptionMinimum) {
    EXPECT_EQ(ScaleAxis(368, 17, 600, DesignHeight, 13 + CaptionMargin), (TAxisPlacement{295, 19}));
    EXPECT_EQ(ScaleAxis(176, 70, 800, DesignWidth, 70), (TAxisPlacement{136, 70}));
}

TEST(ScaleAxis, KeepsALargerScaledExtent) {
    EXPECT_EQ(ScaleAxis(416, 241, 1920, DesignWidth, 80), (TAxisPlacement{773, 448}));
}

TEST(CentredStart, HalvesTheDifference) {
    EXPECT_EQ(CentredStart(0, 1920, 363), 778);
    EXPECT_EQ(CentredStart(0, 1080, 190), 445);
    EXPECT_EQ(CentredStart(100, 200, 100), 150);
}

TEST(CentredStart, TruncatesANegativeHalfTowardZero) {
    EXPECT_EQ(CentredStart(100, 50, 57), 97);
    EXPECT_EQ(CentredStart(0, 50, 57), -3);
}
