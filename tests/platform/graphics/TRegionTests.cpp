#include <gtest/gtest.h>

#include "platform/graphics/TRegion.h"

namespace {

bool RectsAreDisjoint(const TRegion& region) {
    const auto& rects = region.Rects();
    for (std::size_t i = 0; i < rects.size(); ++i)
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            if (rects[i].Intersects(rects[j])) return false;
    return true;
}

} // namespace

TEST(TRegion, EmptyRectangleMakesEmptyRegion) {
    EXPECT_TRUE(TRegion(TRect{5, 5, 5, 9}).IsEmpty());
    EXPECT_TRUE(TRegion(TRect{5, 5, 2, 9}).IsEmpty());
}

TEST(TRegion, SubtractingAHoleLeavesTheFrame) {
    TRegion region(TRect{0, 0, 10, 10});
    region.Subtract(TRect{3, 3, 5, 5});
    EXPECT_EQ(region.Area(), 96);
    EXPECT_TRUE(RectsAreDisjoint(region));
    EXPECT_FALSE(region.Contains({3, 3}));
    EXPECT_FALSE(region.Contains({4, 4}));
    EXPECT_TRUE(region.Contains({5, 5}));
    EXPECT_TRUE(region.Contains({2, 3}));
    EXPECT_EQ(region.Bounds(), (TRect{0, 0, 10, 10}));
}

TEST(TRegion, SubtractingACornerRunCutsOnlyThatRun) {
    TRegion region(TRect{0, 0, 8, 4});
    region.Subtract(TRect{0, 0, 2, 1});
    region.Subtract(TRect{6, 0, 8, 1});
    EXPECT_EQ(region.Area(), 28);
    EXPECT_FALSE(region.Contains({1, 0}));
    EXPECT_TRUE(region.Contains({2, 0}));
    EXPECT_FALSE(region.Contains({7, 0}));
    EXPECT_TRUE(region.Contains({0, 1}));
}

TEST(TRegion, SubtractingEverythingEmptiesIt) {
    TRegion region(TRect{2, 2, 6, 6});
    region.Subtract(TRect{0, 0, 10, 10});
    EXPECT_TRUE(region.IsEmpty());
}

TEST(TRegion, UnionOfOverlappingRectanglesStaysDisjoint) {
    TRegion region(TRect{0, 0, 4, 4});
    region.Union(TRect{2, 2, 6, 6});
    region.Union(TRect{1, 1, 3, 3});
    EXPECT_TRUE(RectsAreDisjoint(region));
    EXPECT_EQ(region.Area(), 28);
    EXPECT_TRUE(region.Contains({5, 5}));
    EXPECT_FALSE(region.Contains({5, 0}));
}

TEST(TRegion, IntersectKeepsTheCommonPart) {
    TRegion region(TRect{0, 0, 10, 10});
    region.Subtract(TRect{4, 0, 6, 10});
    region.Intersect(TRect{2, 2, 8, 4});
    EXPECT_EQ(region.Area(), 8);
    TRegion expected(TRect{2, 2, 4, 4});
    expected.Union(TRect{6, 2, 8, 4});
    EXPECT_TRUE(region.SameArea(expected));
}

TEST(TRegion, IntersectWithRegion) {
    TRegion a(TRect{0, 0, 10, 10});
    a.Subtract(TRect{0, 0, 5, 10});
    TRegion b(TRect{0, 0, 10, 10});
    b.Subtract(TRect{0, 0, 10, 5});
    a.Intersect(b);
    EXPECT_TRUE(a.SameArea(TRegion(TRect{5, 5, 10, 10})));
}

TEST(TRegion, OffsetMovesEveryRectangle) {
    TRegion region(TRect{0, 0, 2, 2});
    region.Offset(3, -1);
    EXPECT_EQ(region.Bounds(), (TRect{3, -1, 5, 1}));
}
