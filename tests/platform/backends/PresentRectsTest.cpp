#include <gtest/gtest.h>

#include "platform/backends/PresentRects.h"

TEST(PresentRects, RectanglesToCopyAreCutToThePicture) {
    TRegion damaged(TRect::FromBounds(-5, 2, 10, 3));
    damaged.Union(TRect::FromBounds(8, 8, 10, 10));
    const std::vector<TRect> rects = RectsToPresent(damaged, TRect{0, 0, 10, 10});
    TRegion copied;
    for (const TRect& r : rects)
        copied.Union(r);
    TRegion expected(TRect{0, 2, 5, 5});
    expected.Union(TRect{8, 8, 10, 10});
    EXPECT_TRUE(copied.SameArea(expected));
}

TEST(PresentRects, ManyScatteredRectanglesAreCopiedAsTheirBounds) {
    TRegion damaged;
    for (int i = 0; i < 100; ++i)
        damaged.Union(TRect::FromBounds(i * 3, i % 7, 1, 1));
    const std::vector<TRect> rects = RectsToPresent(damaged, TRect{0, 0, 1000, 1000});
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0], damaged.Bounds());
}
