#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "render/Gradient.h"
#include "render/support/RenderTestSupport.h"

using namespace rendertest;

namespace {

TsGradItem Segment(TColor from, TColor to, int percent, int mode) {
    TsGradItem s;
    s.Color1 = from;
    s.Color2 = to;
    s.Percent = std::uint8_t(percent);
    s.Mode = mode;
    return s;
}

// The interpolation as the rule states it: single-precision accumulators, double-precision
// increments, each value rounded to nearest with ties to even.
struct TRuleRamp {
    float Acc[3];
    double Inc[3];
    TRuleRamp(TColor a, TColor b, int steps) {
        const int s[3] = {Red(a), Green(a), Blue(a)}, e[3] = {Red(b), Green(b), Blue(b)};
        for (int c = 0; c < 3; ++c) {
            Acc[c] = float(s[c]);
            Inc[c] = double(e[c] - s[c]) / steps;
        }
    }
    TColor Next() {
        int v[3];
        for (int c = 0; c < 3; ++c) {
            v[c] = int(std::nearbyint(Acc[c]));
            Acc[c] = float(double(Acc[c]) + Inc[c]);
        }
        return MakeColor(std::uint8_t(v[0]), std::uint8_t(v[1]), std::uint8_t(v[2]));
    }
};

// The plain rule, pixel by pixel, without the shortcuts of the painter.
void RuleGradient(TBitmap& b, TRect r, const TsGradArray& segs) {
    r = r.Intersect(b.BoundsRect());
    if (segs.empty() || r.IsEmpty()) return;
    const int n = int(segs.size());
    if (segs[0].Mode == 0) {
        int e = r.Top;
        for (int i = 0; i < n; ++i) {
            const int s = e;
            e = segs[i].Percent * r.Height() / 100 + s;
            e = i == n - 1 ? std::min(r.Bottom, b.Height()) - 1
                           : std::min(e, std::min(r.Bottom, b.Height()) - 1);
            if (e - s <= 0) continue;
            TRuleRamp ramp(segs[i].Color1, segs[i].Color2, e - s);
            for (int y = s; y <= e; ++y) {
                const TColor c = ramp.Next();
                for (int x = r.Left; x < std::min(r.Right, b.Width()); ++x)
                    b.SetPixel(x, y, c);
            }
        }
    } else if (segs[0].Mode == 1) {
        for (int y = r.Top; y < r.Bottom; ++y) {
            int x = r.Left;
            for (int i = 0; i < n; ++i) {
                const int j = x;
                x = int(std::nearbyint(segs[i].Percent * (r.Width() / 100.0) + j));
                x = i == n - 1 ? std::min(r.Right, b.Width()) - 1
                               : std::min(x, std::min(r.Right, b.Width()) - 1);
                if (x - j <= 0) continue;
                TRuleRamp ramp(segs[i].Color1, segs[i].Color2, x - j);
                for (int k = j; k <= x; ++k)
                    b.SetPixel(k, y, ramp.Next());
            }
        }
    }
}

} // namespace

TEST(GradientVertical, OneSegmentRunsFromStartToEndColour) {
    TBitmap b = Solid(4, 10, clBlack);
    PaintGradient(b, b.BoundsRect(), {Segment(0x0000FF, 0xFF0000, 100, 0)});
    EXPECT_EQ(b.GetPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(b.GetPixel(3, 9), 0xFF0000u);
    const int red = int(std::nearbyint(255 - 5 * 255 / 9.0));
    EXPECT_EQ(b.GetPixel(2, 5), MakeColor(std::uint8_t(red), 0, std::uint8_t(255 - red)));
    EXPECT_EQ(red, 113);
}

TEST(GradientVertical, AdjacentSegmentsShareARow) {
    TBitmap b = Solid(3, 11, 0x123456);
    PaintGradient(b, b.BoundsRect(), {Segment(clBlack, clWhite, 50, 0), Segment(clWhite, clBlack, 50, 0)});
    EXPECT_EQ(b.GetPixel(0, 0), clBlack);
    EXPECT_EQ(b.GetPixel(0, 5), clWhite);
    EXPECT_EQ(b.GetPixel(0, 10), clBlack);
    EXPECT_EQ(b.GetPixel(1, 4), b.GetPixel(1, 6));
}

TEST(GradientVertical, PaintsOnlyInsideTheRectangle) {
    TBitmap b = Solid(6, 6, 0x123456);
    PaintGradient(b, {1, 1, 4, 5}, {Segment(clBlack, clWhite, 100, 0)});
    EXPECT_EQ(b.GetPixel(0, 1), 0x123456u);
    EXPECT_EQ(b.GetPixel(4, 1), 0x123456u);
    EXPECT_EQ(b.GetPixel(1, 0), 0x123456u);
    EXPECT_EQ(b.GetPixel(1, 5), 0x123456u);
    EXPECT_EQ(b.GetPixel(1, 1), clBlack);
    EXPECT_EQ(b.GetPixel(3, 4), clWhite);
}

TEST(GradientHorizontal, ZeroPercentSegmentDrawsNothingAndTheNextStartsAtTheLeft) {
    TBitmap b = Solid(11, 3, 0x123456);
    PaintGradient(b, b.BoundsRect(), {Segment(0x0000FF, 0x0000FF, 0, 1), Segment(clBlack, clWhite, 100, 1)});
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(b.GetPixel(0, y), clBlack);
        EXPECT_EQ(b.GetPixel(10, y), clWhite);
        EXPECT_EQ(b.GetPixel(5, y), MakeColor(128, 128, 128)); // 127.5 rounds to even
    }
}

TEST(GradientFourCorner, MissingSegmentsRepeatThePreviousVertexColour) {
    TBitmap b = Solid(9, 9, 0x123456);
    PaintGradient(b, b.BoundsRect(), {Segment(0x0000FF, clBlack, 0, 2), Segment(0x00FF00, clBlack, 0, 2)});
    EXPECT_EQ(b.GetPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(b.GetPixel(4, 4), 0x00FF00u);
    EXPECT_EQ(b.GetPixel(8, 8), 0x00FF00u);
    EXPECT_EQ(b.GetPixel(8, 4), 0x00FF00u);
}

TEST(GradientFailures, EmptyListOtherKindsAndOutsideRectanglesDrawNothing) {
    const TBitmap before = Solid(5, 5, 0x123456);
    TBitmap b = before;
    PaintGradient(b, b.BoundsRect(), {});
    PaintGradient(b, b.BoundsRect(), {Segment(clBlack, clWhite, 100, 3)});
    PaintGradient(b, {10, 10, 20, 20}, {Segment(clBlack, clWhite, 100, 0)});
    PaintGradient(b, {-20, 0, -5, 5}, {Segment(clBlack, clWhite, 100, 1)});
    EXPECT_EQ(b, before);
}

TEST(GradientFastPath, RowsAndColumnsMatchThePlainRuleOnRandomInputs) {
    std::mt19937 random(20260508);
    std::uniform_int_distribution<int> size(1, 40), count(1, 5), percent(0, 100), kind(0, 1);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    for (int round = 0; round < 400; ++round) {
        const int w = size(random), h = size(random);
        TsGradArray segs;
        const int mode = kind(random);
        for (int i = count(random); i > 0; --i)
            segs.push_back(Segment(colour(random), colour(random), percent(random), mode));
        std::uniform_int_distribution<int> coordinate(-5, 45);
        TRect r{coordinate(random), coordinate(random), coordinate(random), coordinate(random)};
        TBitmap painted = Solid(w, h, 0x010203), rule = painted;
        PaintGradient(painted, r, segs);
        RuleGradient(rule, r, segs);
        ASSERT_EQ(painted, rule) << "round " << round;
    }
}

TEST(GradientRows, BandsGiveTheRowsOfTheWholeRectangleOnRandomInputs) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> size(1, 60), bandRows(1, 9), count(1, 5), percent(0, 100), kind(0, 1);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    for (int round = 0; round < 300; ++round) {
        const int w = size(random), h = size(random);
        TsGradArray segs;
        const int mode = kind(random);
        for (int i = count(random); i > 0; --i)
            segs.push_back(Segment(colour(random), colour(random), percent(random), mode));
        TBitmap whole = Solid(w, h, clBlack);
        PaintGradient(whole, whole.BoundsRect(), segs);
        ASSERT_TRUE(PaintsGradientRows(segs));
        // The band starts with other pixels, as one reused for the rows before would.
        TBitmap band = Solid(w, bandRows(random), 0x010203);
        for (int first = 0; first < h; first += band.Height()) {
            PaintGradientRows(band, {w, h}, first, segs);
            for (int k = 0; k < band.Height() && first + k < h; ++k)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(band.GetPixel(x, k), whole.GetPixel(x, first + k))
                        << "round " << round << " row " << first + k << " column " << x;
        }
    }
}

TEST(GradientRows, FourCornerKindIsLeftToTheWholePainter) {
    const TsGradArray segs{Segment(0x0000FF, clBlack, 0, 2), Segment(0x00FF00, clBlack, 0, 2)};
    EXPECT_FALSE(PaintsGradientRows(segs));
    EXPECT_FALSE(PaintsGradientRows({}));
    const TBitmap before = Solid(6, 4, 0x123456);
    TBitmap band = before;
    PaintGradientRows(band, {6, 20}, 8, segs);
    EXPECT_EQ(band, before);
}
