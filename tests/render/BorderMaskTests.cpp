#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/graphics/TRegion.h"
#include "render/BorderMask.h"
#include "render/Corners.h"
#include "render/ParentColors.h"
#include "render/support/RenderTestSupport.h"

using namespace rendertest;

namespace {

constexpr TColor Key = clFuchsia;

class BorderMask : public ::testing::Test {
protected:
    void SetUp() override { ResetParentColors(); }
    void TearDown() override { ResetParentColors(); }
    TBitmap& Master() { return m_skin.Model().MasterBitmap; }
    TTestSkin m_skin;
};

// A 6 x 12 mask: the image half (rows 0..5) in one colour, the mask half (rows 6..11) grey.
int MaskedEntry(TTestSkin& skin, TColor image, int grey) {
    skin.Model().MasterBitmap = Solid(6, 12, image);
    FillArea(skin.Model().MasterBitmap, {0, 6, 6, 12}, MakeColor(grey, grey, grey));
    return skin.AddMask(MaskEntry("BUTTON", "BORDERSMASK", {0, 0, 6, 12}, 1, 1, 4, 2, 2, 2, 2));
}

} // namespace

class MaskBlendValues : public BorderMask, public ::testing::WithParamInterface<int> {};

TEST_P(MaskBlendValues, EveryPieceFollowsTheMaskBlendRule) {
    const int grey = GetParam();
    const TColor image = MakeColor(10, 200, 99), dst = MakeColor(250, 3, 128);
    const int index = MaskedEntry(m_skin, image, grey);
    TBitmap face = Solid(6, 6, dst);
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::Yes, 0, m_skin.Mask(index), {});
    const TColor expected = MaskBlendColour(dst, image, MakeColor(grey, grey, grey));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(face.GetPixel(x, y), expected) << x << "," << y;
    if (grey == 0) {
        EXPECT_EQ(expected, image);
    } else if (grey == 128) {
        EXPECT_EQ(Red(expected), (250 + 10) >> 1);
    } else {
        EXPECT_EQ(Blue(expected), (255 * 128 + 99) >> 8);
    }
}

INSTANTIATE_TEST_SUITE_P(BorderMask, MaskBlendValues, ::testing::Values(0, 128, 255));

TEST_F(BorderMask, DrawModeBitOneSkipsTheNormalStateOnly) {
    const int index = MaskedEntry(m_skin, clWhite, 0);
    m_skin.Mask(index).DrawMode = 2 | 4;
    TBitmap face = Solid(6, 6, clBlack);
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::Yes, 0, m_skin.Mask(index), {});
    EXPECT_EQ(face, Solid(6, 6, clBlack));
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::Yes, 1, m_skin.Mask(index), {});
    EXPECT_EQ(face, Solid(6, 6, clWhite));
}

TEST_F(BorderMask, CentreNeedsTheFlagAndDrawModeBitTwo) {
    const int index = MaskedEntry(m_skin, clWhite, 0);
    TBitmap face = Solid(6, 6, clBlack);
    DrawBorderMask(face, face.BoundsRect(), FillCentre::No, CornerFlag::Yes, 0, m_skin.Mask(index), {});
    EXPECT_EQ(face.GetPixel(2, 2), clBlack);
    EXPECT_EQ(face.GetPixel(0, 2), clWhite);
    m_skin.Mask(index).DrawMode = 0;
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::Yes, 0, m_skin.Mask(index), {});
    EXPECT_EQ(face.GetPixel(3, 3), clBlack);
}

TEST_F(BorderMask, StatesAboveTheLastImageTakeTheLastImage) {
    Master() = Solid(12, 4, clBlack);
    const TColor cells[3] = {0x0000FF, 0x00FF00, 0xFF0000};
    for (int k = 0; k < 3; ++k)
        FillArea(Master(), {4 * k, 0, 4 * k + 4, 4}, cells[k]);
    const int three = m_skin.AddMask(MaskEntry("B", "BORDERSMASK", {0, 0, 12, 4}, 3, 0, 4, 1, 1, 1, 1));
    const int two = m_skin.AddMask(MaskEntry("B", "BORDERSMASK", {0, 0, 8, 4}, 2, 0, 4, 1, 1, 1, 1));
    TBitmap face = Solid(4, 4, clWhite);
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::No, 5, m_skin.Mask(three), {});
    EXPECT_EQ(face, Solid(4, 4, cells[2]));
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::No, 2, m_skin.Mask(two), {});
    EXPECT_EQ(face, Solid(4, 4, cells[1]));
}

TEST_F(BorderMask, NarrowRectanglesShrinkTheBordersAndOddWidthsTakeOneMoreFromTheRight) {
    // Source columns 0..2 left border, 3..5 centre, 6..7 right border.
    Master() = Solid(8, 8, 0x0000AA);
    FillArea(Master(), {3, 0, 6, 8}, 0x00BB00);
    FillArea(Master(), {6, 0, 8, 8}, 0xCC0000);
    const int index = m_skin.AddMask(MaskEntry("B", "BORDERSMASK", {0, 0, 8, 8}, 1, 0, 4, 3, 1, 3, 1));
    // Width 5: WL + WR = 6, c = 0, WL 3, WR 3 - 1 = 2; the right piece starts at 0 + 3 + (8 - 3 - 2).
    TBitmap odd = Solid(5, 8, clWhite);
    DrawBorderMask(odd, odd.BoundsRect(), FillCentre::Yes, CornerFlag::No, 0, m_skin.Mask(index), {});
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(odd.GetPixel(x, 0), 0x0000AAu) << x;
    for (int x = 3; x < 5; ++x)
        EXPECT_EQ(odd.GetPixel(x, 4), 0xCC0000u) << x;
    // Width 4: c = 1, WL = WR = 2; the right piece starts at 2 + (8 - 2 - 2) = 6.
    TBitmap even = Solid(4, 8, clWhite);
    DrawBorderMask(even, even.BoundsRect(), FillCentre::Yes, CornerFlag::No, 0, m_skin.Mask(index), {});
    EXPECT_EQ(even.GetPixel(1, 0), 0x0000AAu);
    EXPECT_EQ(even.GetPixel(2, 0), 0xCC0000u);
    EXPECT_EQ(even.GetPixel(3, 7), 0xCC0000u);
}

TEST_F(BorderMask, EdgesAreTiledAndTheLastTileIsCut) {
    // A 5-wide cell with 1-pixel borders: the top edge piece is columns 1..3.
    Master() = Solid(5, 5, clBlack);
    const TColor top[3] = {0x000011, 0x000022, 0x000033};
    for (int k = 0; k < 3; ++k)
        Master().SetPixel(1 + k, 0, top[k]);
    const int index = m_skin.AddMask(MaskEntry("B", "BORDERSMASK", {0, 0, 5, 5}, 1, 0, 4, 1, 1, 1, 1));
    TBitmap face = Solid(10, 4, clWhite);
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::No, 0, m_skin.Mask(index), {});
    for (int x = 1; x < 9; ++x)
        EXPECT_EQ(face.GetPixel(x, 0), top[(x - 1) % 3]) << x;
}

TEST_F(BorderMask, SpansWithAZeroSizePieceAreCoveredByOneCopyFromThePiecesPosition) {
    // Cell 4 wide with WL = WR = 2: no centre columns. The top edge of an 8-wide face takes source
    // columns 2..5 in one copy, reaching past the cell into the master bitmap.
    Master() = Solid(8, 4, clBlack);
    for (int x = 0; x < 8; ++x)
        Master().SetPixel(x, 0, MakeColor(std::uint8_t(10 * x), 0, 0));
    const int index = m_skin.AddMask(MaskEntry("B", "BORDERSMASK", {0, 0, 4, 4}, 1, 0, 4, 2, 1, 2, 1));
    TBitmap face = Solid(8, 4, clWhite);
    DrawBorderMask(face, face.BoundsRect(), FillCentre::No, CornerFlag::No, 0, m_skin.Mask(index), {});
    for (int x = 2; x < 6; ++x)
        EXPECT_EQ(face.GetPixel(x, 0), MakeColor(std::uint8_t(10 * x), 0, 0)) << x;
}

TEST_F(BorderMask, KeyCornerPixelsTakeTheParentFaceBehindThem) {
    const int index = MaskedEntry(m_skin, clWhite, 0);
    Master().SetPixel(0, 0, Key);
    TBitmap parent(20, 20, TPixelFormat::pf32bit);
    parent.Fill(clBlack);
    parent.SetPixel(5 + 3, 6 + 4, 0x345678);
    TBitmap face = Solid(6, 6, clBlack);
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::No, 0, m_skin.Mask(index),
                   ParentBackground{&parent, 5 + 3, 6 + 4, true});
    EXPECT_EQ(face.GetPixel(0, 0), 0x345678u);
    EXPECT_EQ(face.GetPixel(1, 0), clWhite);
}

TEST_F(BorderMask, KeyCornerPixelsWithoutAParentFaceTakeTheParentKeyColourOrStayKey) {
    const int index = MaskedEntry(m_skin, clWhite, 0);
    Master().SetPixel(0, 0, Key);
    Master().SetPixel(2, 2, Key); // centre: blended like any other pixel
    TBitmap face = Solid(6, 6, clBlack);
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::Yes, 0, m_skin.Mask(index), {});
    EXPECT_EQ(face.GetPixel(0, 0), Key);
    SetParentKeyColor(0x00AA00);
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::Yes, 0, m_skin.Mask(index), {});
    EXPECT_EQ(face.GetPixel(0, 0), 0x00AA00u);
    EXPECT_EQ(face.GetPixel(2, 2), Key);
}

TEST_F(BorderMask, UnmaskedKeyCornersShowTheParentOnlyWithTheCornerFlag) {
    Master() = Solid(6, 6, clWhite);
    Master().SetPixel(5, 5, Key); // the bottom-right corner
    const int index = m_skin.AddMask(MaskEntry("B", "BORDERSMASK", {0, 0, 6, 6}, 1, 0, 4, 2, 2, 2, 2));
    const TBitmap parent = Solid(10, 10, 0x224466);
    TBitmap face = Solid(6, 6, clBlack);
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::No, 0, m_skin.Mask(index),
                   ParentBackground{&parent, 1, 1, true});
    EXPECT_EQ(face.GetPixel(5, 5), clBlack);
    DrawBorderMask(face, face.BoundsRect(), FillCentre::Yes, CornerFlag::Yes, 0, m_skin.Mask(index),
                   ParentBackground{&parent, 1, 1, true});
    EXPECT_EQ(face.GetPixel(5, 5), 0x224466u);
    EXPECT_EQ(face.GetPixel(4, 5), clWhite);
}

TEST_F(BorderMask, AbsurdEntriesDrawOnlyInsideTheTarget) {
    Master() = Solid(4, 4, clWhite);
    std::vector<TsMaskData> entries;
    entries.push_back(MaskEntry("B", "M", {-50, -50, 9000, 9000}, 1, 1, 7, 30000, 30000, 30000, 30000));
    entries.push_back(MaskEntry("B", "M", {2, 2, 1, 1}, 10000, 0, 5, -4, 0, 100, 3));
    entries.push_back(MaskEntry("B", "M", {0, 0, 4, 4}, 1, 9, 4, 0, 0, 0, 0));
    entries.push_back(MaskEntry("B", "M", {3, 3, 4, 4}, 1, 0, 5, 1, 1, 1, 1));
    for (TsMaskData& e : entries) {
        const int index = m_skin.AddMask(std::move(e));
        for (int w : {1, 2, 3, 7}) {
            TBitmap face = Solid(w, 5, clBlack);
            DrawBorderMask(face, {0, 0, w + 3, 9}, FillCentre::Yes, CornerFlag::Yes, 4, m_skin.Mask(index),
                           {});
            DrawButtonMask(face, nullptr, FillCentre::Yes, 2, m_skin.Mask(index));
            DrawCornerImage(face, {-3, 2}, 1, m_skin.Mask(index), CornerFlag::No);
            EXPECT_EQ(face.Width(), w);
        }
    }
}

TEST_F(BorderMask, ButtonMaskCutsKeyRunsOfTheCornersOutOfTheRegion) {
    Master() = Solid(6, 6, clWhite);
    Master().SetPixel(0, 0, Key);
    Master().SetPixel(1, 0, Key);
    Master().SetPixel(0, 1, Key);
    const int index = m_skin.AddMask(MaskEntry("B", "BORDERSMASK", {0, 0, 6, 6}, 1, 0, 4, 2, 2, 2, 2));
    TBitmap face = Solid(6, 6, clBlack);
    TRegion region(face.BoundsRect());
    DrawButtonMask(face, &region, FillCentre::Yes, 0, m_skin.Mask(index));
    EXPECT_FALSE(region.Contains({0, 0}));
    EXPECT_FALSE(region.Contains({1, 0}));
    EXPECT_FALSE(region.Contains({0, 1}));
    EXPECT_TRUE(region.Contains({1, 1}));
    EXPECT_EQ(region.Area(), 36 - 3);
    EXPECT_EQ(face.GetPixel(0, 0), clBlack);
    EXPECT_EQ(face.GetPixel(1, 1), clWhite);
}

TEST_F(BorderMask, CornerImagesWithAMaskSkipKeyPixelsAndFadeWithoutTheCornerFlag) {
    const int index = MaskedEntry(m_skin, MakeColor(0, 0, 0), 20);
    Master().SetPixel(1, 0, Key);
    TBitmap face = Solid(8, 8, MakeColor(100, 100, 100));
    DrawCornerImage(face, {2, 1}, 0, m_skin.Mask(index), CornerFlag::Yes);
    EXPECT_EQ(face.GetPixel(3, 1), MakeColor(100, 100, 100));
    EXPECT_EQ(face.GetPixel(2, 1), MaskBlendColour(MakeColor(100, 100, 100), clBlack, MakeColor(20, 20, 20)));
    TBitmap faint = Solid(8, 8, MakeColor(100, 100, 100));
    DrawCornerImage(faint, {2, 1}, 0, m_skin.Mask(index), CornerFlag::No);
    EXPECT_EQ(faint.GetPixel(2, 1),
              MaskBlendColour(MakeColor(100, 100, 100), clBlack, MakeColor(120, 120, 120)));
}

TEST_F(BorderMask, MasterCornerImagesWithoutFlagMixHalfAndHalf) {
    Master() = Solid(2, 2, MakeColor(3, 10, 0));
    Master().SetPixel(1, 1, Key);
    const int index = m_skin.AddMask(MaskEntry("B", "IMGTOPLEFT", {0, 0, 2, 2}, 1, 0, 0, 0, 0, 0, 0));
    TBitmap face = Solid(4, 4, MakeColor(0, 1, 255));
    DrawCornerImage(face, {0, 0}, 0, m_skin.Mask(index), CornerFlag::No);
    EXPECT_EQ(face.GetPixel(0, 0), MakeColor(2, 6, 128)); // 1.5 -> 2, 5.5 -> 6, 127.5 -> 128
    EXPECT_EQ(face.GetPixel(1, 1), MakeColor(0, 1, 255));
}

namespace {

// A master whose every pixel is the key colour with the given odds, else a random colour that
// is not the key; with a mask half below it (maskType 1) of random greys.
TBitmap RandomKeyMaster(std::mt19937& random, int width, int imageHeight, int maskType, int keyPercent) {
    TBitmap master = Solid(width, imageHeight * (maskType + 1), clBlack);
    for (int y = 0; y < imageHeight; ++y)
        for (int x = 0; x < width; ++x)
            master.SetPixel(x, y, int(random() % 100) < keyPercent ? Key : TColor(random() % 0xFF00FF));
    for (int y = imageHeight; y < master.Height(); ++y)
        for (int x = 0; x < width; ++x) {
            const int grey = int(random() % 256);
            master.SetPixel(x, y, MakeColor(grey, grey, grey));
        }
    return master;
}

} // namespace

class ButtonRegionCarving : public BorderMask, public ::testing::WithParamInterface<int> {};

// The region keeps every face pixel except the corner pixels whose image pixel is the key
// colour: the corners of the state cell go to the face's corners, each as wide and high as
// its border (face and cell larger than both borders together, so nothing is fitted).
TEST_P(ButtonRegionCarving, CutsExactlyTheKeyPixelsOfTheCorners) {
    const int maskType = GetParam();
    std::mt19937 random(40 + maskType);
    for (int round = 0; round < 60; ++round) {
        const int wl = int(random() % 7), wt = int(random() % 7), wr = int(random() % 7),
                  wb = int(random() % 7);
        const int cellW = wl + wr + 1 + int(random() % 4), cellH = wt + wb + 1 + int(random() % 4);
        Master() = RandomKeyMaster(random, cellW, cellH, maskType, int(random() % 101));
        const int index = m_skin.AddMask(
            MaskEntry("B", "BORDERSMASK", Master().BoundsRect(), 1, maskType, 4, wl, wt, wr, wb));
        const int width = std::max(2, wl + wr) + int(random() % 9);
        const int height = std::max(2, wt + wb) + int(random() % 9);
        TBitmap face = Solid(width, height, clBlack);
        TRegion region(face.BoundsRect());
        DrawButtonMask(face, &region, FillCentre::Yes, 0, m_skin.Mask(index));

        std::vector<bool> kept(std::size_t(width * height), true);
        const struct {
            int SX, SY, DX, DY, W, H;
        } corners[] = {{0, 0, 0, 0, wl, wt},
                       {0, cellH - wb, 0, height - wb, wl, wb},
                       {cellW - wr, cellH - wb, width - wr, height - wb, wr, wb},
                       {cellW - wr, 0, width - wr, 0, wr, wt}};
        for (const auto& c : corners)
            for (int y = 0; y < c.H; ++y)
                for (int x = 0; x < c.W; ++x)
                    if (Master().GetPixel(c.SX + x, c.SY + y) == Key)
                        kept[std::size_t((c.DY + y) * width + c.DX + x)] = false;
        long long area = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(region.Contains({x, y}), kept[std::size_t(y * width + x)])
                    << "round " << round << " at " << x << "," << y;
                area += kept[std::size_t(y * width + x)] ? 1 : 0;
            }
        ASSERT_EQ(region.Area(), area);
    }
}

INSTANTIATE_TEST_SUITE_P(BorderMask, ButtonRegionCarving, ::testing::Values(0, 1));

TEST_F(BorderMask, CheckerboardCornersLeaveEveryOtherPixel) {
    // Four 30-pixel borders on a 40 x 40 face are fitted to 20 each, so the corners cover the
    // whole face; the checkerboard's rows 40 and on keep the parity of the rows they land on.
    constexpr int Side = 60, FaceSide = 40;
    Master() = Solid(Side, Side, clBlack);
    for (int y = 0; y < Side; ++y)
        for (int x = (y % 2); x < Side; x += 2)
            Master().SetPixel(x, y, Key);
    const int index =
        m_skin.AddMask(MaskEntry("B", "BORDERSMASK", {0, 0, Side, Side}, 1, 0, 4, 30, 30, 30, 30));
    TBitmap face = Solid(FaceSide, FaceSide, clWhite);
    TRegion region(face.BoundsRect());
    DrawButtonMask(face, &region, FillCentre::Yes, 0, m_skin.Mask(index));
    EXPECT_EQ(region.Area(), FaceSide * FaceSide / 2);
    for (int y = 0; y < FaceSide; ++y)
        for (int x = 0; x < FaceSide; ++x)
            ASSERT_EQ(region.Contains({x, y}), (x + y) % 2 == 1) << x << "," << y;
}
