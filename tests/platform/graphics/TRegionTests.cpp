#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/graphics/TRegion.h"
#include "platform/graphics/TRegionRows.h"

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

namespace {

// The plain model of a region: one flag per pixel of a small plane.
constexpr int PlaneSide = 24;
using TPlane = std::vector<bool>;

TPlane PlaneOf(const TRegion& region) {
    TPlane plane(PlaneSide * PlaneSide);
    for (int y = 0; y < PlaneSide; ++y)
        for (int x = 0; x < PlaneSide; ++x)
            plane[std::size_t(y * PlaneSide + x)] = region.Contains({x, y});
    return plane;
}

TRect RandomRect(std::mt19937& random) {
    std::uniform_int_distribution<int> coordinate(0, PlaneSide);
    const int a = coordinate(random), b = coordinate(random), c = coordinate(random), d = coordinate(random);
    return {std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)};
}

TRegion RandomRegion(std::mt19937& random, TPlane& plane) {
    TRegion region;
    plane.assign(PlaneSide * PlaneSide, false);
    for (int i = int(random() % 6); i >= 0; --i) {
        const TRect r = RandomRect(random);
        const bool add = random() % 3 != 0;
        if (add)
            region.Union(r);
        else
            region.Subtract(r);
        for (int y = std::max(0, r.Top); y < std::min(PlaneSide, r.Bottom); ++y)
            for (int x = std::max(0, r.Left); x < std::min(PlaneSide, r.Right); ++x)
                plane[std::size_t(y * PlaneSide + x)] = add;
    }
    return region;
}

long long Count(const TPlane& plane) {
    return std::count(plane.begin(), plane.end(), true);
}

// The rectangles lie in bands as the region promises: sorted top to bottom and left to right,
// a band's rectangles sharing top and bottom without touching.
bool IsBanded(const TRegion& region) {
    const auto& rects = region.Rects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].IsEmpty()) return false;
        if (i == 0) continue;
        const TRect& a = rects[i - 1];
        const TRect& b = rects[i];
        if (a.Top == b.Top) {
            if (a.Bottom != b.Bottom || a.Right >= b.Left) return false;
        } else if (b.Top < a.Bottom) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(TRegion, CombiningRandomRegionsFollowsThePixelRule) {
    std::mt19937 random(17);
    for (int round = 0; round < 400; ++round) {
        TPlane planeA, planeB;
        const TRegion a = RandomRegion(random, planeA);
        const TRegion b = RandomRegion(random, planeB);
        TRegion united = a, cut = a, common = a;
        united.Union(b);
        cut.Subtract(b);
        common.Intersect(b);
        TPlane expectUnited(planeA.size()), expectCut(planeA.size()), expectCommon(planeA.size());
        for (std::size_t i = 0; i < planeA.size(); ++i) {
            expectUnited[i] = planeA[i] || planeB[i];
            expectCut[i] = planeA[i] && !planeB[i];
            expectCommon[i] = planeA[i] && planeB[i];
        }
        ASSERT_EQ(PlaneOf(a), planeA);
        ASSERT_EQ(PlaneOf(united), expectUnited);
        ASSERT_EQ(PlaneOf(cut), expectCut);
        ASSERT_EQ(PlaneOf(common), expectCommon);
        for (const TRegion* r : std::initializer_list<const TRegion*>{&a, &united, &cut, &common})
            ASSERT_TRUE(IsBanded(*r) && RectsAreDisjoint(*r));
        ASSERT_EQ(united.Area(), Count(expectUnited));
        ASSERT_EQ(cut.Area(), Count(expectCut));
        ASSERT_EQ(common.Area(), Count(expectCommon));
    }
}

TEST(TRegion, TheSamePixelsGiveTheSameRectangles) {
    TRegion rows;
    rows.Union(TRect{0, 0, 4, 2});
    rows.Union(TRect{0, 2, 4, 4});
    TRegion columns;
    columns.Union(TRect{0, 0, 2, 4});
    columns.Union(TRect{2, 0, 4, 4});
    EXPECT_EQ(rows, columns);
    EXPECT_EQ(rows, TRegion(TRect{0, 0, 4, 4}));
    EXPECT_TRUE(rows.SameArea(columns));
    columns.Subtract(TRect{3, 3, 4, 4});
    EXPECT_FALSE(rows.SameArea(columns));
}

TEST(TRegion, IntersectingWithAnEmptyRectangleEmptiesIt) {
    TRegion region(TRect{0, 0, 4, 4});
    region.Intersect(TRect{2, 2, 2, 9});
    EXPECT_TRUE(region.IsEmpty());
}

TEST(TRegion, BoundsOfACutRegionSpanItsBands) {
    TRegion region(TRect{0, 0, 10, 10});
    region.Subtract(TRect{0, 0, 10, 3});
    region.Subtract(TRect{0, 0, 4, 10});
    EXPECT_EQ(region.Bounds(), (TRect{4, 3, 10, 10}));
    EXPECT_EQ(TRegion().Bounds(), TRect{});
}

TEST(TRegionRows, RunsInAnyOrderMakeTheRegionOfTheirPixels) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> coordinate(0, PlaneSide);
    for (int round = 0; round < 200; ++round) {
        TRegionRows rows;
        TPlane plane(PlaneSide * PlaneSide);
        for (int i = int(random() % 40); i > 0; --i) {
            const int y = int(random() % PlaneSide), from = coordinate(random), to = coordinate(random);
            rows.Add(y, from, to);
            for (int x = from; x < to; ++x)
                plane[std::size_t(y * PlaneSide + x)] = true;
        }
        const TRegion region = rows.ToRegion();
        ASSERT_EQ(PlaneOf(region), plane);
        ASSERT_TRUE(IsBanded(region));
        ASSERT_EQ(region.Area(), Count(plane));
        ASSERT_EQ(rows.IsEmpty(), region.IsEmpty());
    }
}

TEST(TRegionRows, EqualRowsBecomeOneBand) {
    TRegionRows rows;
    for (int y = 5; y < 9; ++y) {
        rows.Add(y, 6, 8);
        rows.Add(y, 1, 3);
        rows.Add(y, 2, 4);
    }
    TRegion expected(TRect{1, 5, 4, 9});
    expected.Union(TRect{6, 5, 8, 9});
    EXPECT_EQ(rows.ToRegion(), expected);
    EXPECT_EQ(rows.ToRegion().Rects().size(), 2u);
}
