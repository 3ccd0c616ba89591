#include <gtest/gtest.h>

#include <cmath>

#include "render/Blend.h"
#include "render/Gradient.h"
#include "render/Layers.h"
#include "render/ParentColors.h"
#include "render/support/RenderTestSupport.h"

using namespace rendertest;

namespace {

class Layers : public ::testing::Test {
protected:
    void SetUp() override { ResetParentColors(); }
    void TearDown() override { ResetParentColors(); }

    int AddSection(TColor colour, int transparency) {
        TsGeneralData s = Section("PANEL", colour);
        s.Transparency = transparency;
        s.HotTransparency = transparency;
        return m_skin.AddSection(s);
    }
    TsGeneralData& SectionAt(int index) { return m_skin.Model().GeneralData[std::size_t(index)]; }
    void Paint(int section, TBitmap& face, const ParentBackground& background, TPoint position = {0, 0},
               int state = 0, int texture = -1, int hotTexture = -1) {
        PaintLayers(section, "PANEL", background, clFuchsia, hotTexture, texture, &m_skin.Manager(), face,
                    position, face.BoundsRect(), state);
    }

    TTestSkin m_skin;
};

int Blend(int parent, int own, int a) {
    return (parent * a + own * (255 - a) + 127) >> 8;
}

} // namespace

TEST_F(Layers, NoTransparencyFillsWithTheColour) {
    const int section = AddSection(0x336699, 0);
    TBitmap face = Solid(5, 3, clBlack);
    const TBitmap parent = Solid(20, 20, clWhite);
    Paint(section, face, {&parent, 0, 0, true});
    EXPECT_EQ(face, Solid(5, 3, 0x336699));
}

TEST_F(Layers, HotStatesUseTheHotValues) {
    const int section = AddSection(0x336699, 0);
    SectionAt(section).HotColor = 0x00FF00;
    TBitmap face = Solid(5, 3, clBlack);
    Paint(section, face, {}, {0, 0}, 2);
    EXPECT_EQ(face, Solid(5, 3, 0x00FF00));
}

TEST_F(Layers, FullTransparencyShowsTheParentFaceBehindTheItem) {
    const int section = AddSection(0x336699, 100);
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        TBitmap parent(20, 20, format);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                parent.SetPixel(x, y, MakeColor(std::uint8_t(x * 10), std::uint8_t(y * 10), 7));
        TBitmap face = Solid(5, 3, clBlack);
        Paint(section, face, {&parent, 2, 1, true}, {4, 6});
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(face.GetPixel(x, y), parent.GetPixel(2 + 4 + x, 1 + 6 + y));
    }
}

TEST_F(Layers, FullTransparencyWithAKnownParentFillColourTakesThatColour) {
    const int section = AddSection(0x336699, 100);
    const TBitmap parent = Solid(20, 20, clWhite);
    SetParentFillColor(0x0000AA);
    TBitmap face = Solid(5, 3, clBlack);
    Paint(section, face, {&parent, 0, 0, true});
    EXPECT_EQ(face, Solid(5, 3, 0x0000AA));
}

TEST_F(Layers, HalfTransparencyBlendsTheOwnLayersOverTheParentFace) {
    const int section = AddSection(MakeColor(10, 200, 255), 50);
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        TBitmap parent(20, 20, format);
        parent.Fill(MakeColor(250, 0, 128));
        TBitmap face = Solid(5, 3, clBlack);
        Paint(section, face, {&parent, 0, 0, true}, {3, 3});
        // (parent x 127 + own x 128 + 127) shr 8.
        EXPECT_EQ(face.GetPixel(4, 2),
                  MakeColor(std::uint8_t(Blend(250, 10, 127)), std::uint8_t(Blend(0, 200, 127)),
                            std::uint8_t(Blend(128, 255, 127))));
    }
}

TEST_F(Layers, TransparencyOverAPlainParentColourFillsWithThatColour) {
    const int section = AddSection(0x336699, 50);
    SetParentFillColor(0x445566);
    TBitmap face = Solid(5, 3, clBlack);
    Paint(section, face, {});
    EXPECT_EQ(face, Solid(5, 3, 0x445566));
}

TEST_F(Layers, GradientShareBlendsWithTheColour) {
    const int section = AddSection(MakeColor(200, 100, 50), 0);
    SectionAt(section).GradientPercent = 40;
    SectionAt(section).GradientData = "0;16777215;100;0;0";
    SectionAt(section).GradientArray = {TsGradItem{clBlack, clWhite, 100, 0, 0}};
    TBitmap face = Solid(4, 6, clBlack);
    Paint(section, face, {});
    TBitmap gradient = Solid(4, 6, clBlack);
    PaintGradient(gradient, gradient.BoundsRect(), SectionAt(section).GradientArray);
    for (int y = 0; y < 6; ++y) {
        const int g = Red(gradient.GetPixel(0, y));
        auto keep = [g](int c) { return std::uint8_t(std::nearbyint(0.4 * g + 0.6 * c)); };
        EXPECT_EQ(face.GetPixel(2, y), MakeColor(keep(200), keep(100), keep(50))) << y;
    }
}

TEST_F(Layers, FullGradientShareLeavesNoTraceOfTheColour) {
    const int section = AddSection(MakeColor(200, 100, 50), 0);
    SectionAt(section).GradientPercent = 100;
    SectionAt(section).GradientData = "255;65280;100;1;0";
    SectionAt(section).GradientArray = {TsGradItem{0x0000FF, 0x00FF00, 100, 1, 0}};
    TBitmap face = Solid(7, 3, clBlack);
    Paint(section, face, {});
    TBitmap gradient = Solid(7, 3, clBlack);
    PaintGradient(gradient, gradient.BoundsRect(), SectionAt(section).GradientArray);
    EXPECT_EQ(face, gradient);
}

// The layers of a face taller than one band of the blend: the gradient over the texture by
// the image share, the same in every row as one gradient painted over the whole face.
TEST_F(Layers, GradientOverATextureBlendsByTheImageShareInEveryRow) {
    m_skin.Model().MasterBitmap = Solid(10, 10, MakeColor(30, 160, 90));
    TsGradItem top{MakeColor(250, 10, 0), MakeColor(0, 40, 250), 45, 0, 0};
    TsGradItem bottom{MakeColor(0, 40, 250), MakeColor(120, 200, 60), 55, 0, 0};
    TsMaskData e = MaskEntry("PANEL", "PATTERN", {2, 2, 8, 8}, 1, 0, 0, 0, 0, 0, 0);
    e.ImgType = TacImgType::itisaTexture;
    const int texture = m_skin.AddMask(std::move(e));
    const int section = AddSection(clWhite, 0);
    SectionAt(section).ImagePercent = 22;
    SectionAt(section).GradientPercent = 78;
    SectionAt(section).GradientData = "a vertical gradient";
    SectionAt(section).GradientArray = {top, bottom};
    TBitmap face = Solid(9, 101, clBlack);
    Paint(section, face, {}, {0, 0}, 0, texture, -1);
    TBitmap gradient = Solid(9, 101, clBlack);
    PaintGradient(gradient, gradient.BoundsRect(), SectionAt(section).GradientArray);
    const int a = PercentToAlpha(22);
    for (int y = 0; y < face.Height(); ++y) {
        const TColor g = gradient.GetPixel(4, y);
        const TColor expected =
            MakeColor(std::uint8_t(Blend(30, Red(g), a)), std::uint8_t(Blend(160, Green(g), a)),
                      std::uint8_t(Blend(90, Blue(g), a)));
        ASSERT_EQ(face.GetPixel(0, y), expected) << "row " << y;
        ASSERT_EQ(face.GetPixel(8, y), expected) << "row " << y;
    }
}

TEST_F(Layers, ImageShareWithoutATextureBlendsWhatIsThere) {
    const int section = AddSection(clWhite, 0);
    SectionAt(section).ImagePercent = 50;
    TBitmap face = Solid(3, 3, MakeColor(1, 1, 1));
    Paint(section, face, {});
    EXPECT_EQ(face.GetPixel(1, 1), MakeColor(128, 128, 128)); // round(0.5 + 127.5)
}

// A 3 x 2 texture whose pixels all differ, in a master bitmap with room around it.
class Textures : public Layers, public ::testing::WithParamInterface<int> {
protected:
    static TColor Texel(int x, int y) {
        return MakeColor(std::uint8_t(40 * x + 1), std::uint8_t(90 * y + 1), 5);
    }
    int AddTexture(int drawMode, bool solid) {
        m_skin.Model().MasterBitmap = Solid(10, 10, clBlack);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                m_skin.Model().MasterBitmap.SetPixel(4 + x, 4 + y, solid ? 0x0A0B0C : Texel(x, y));
        TsMaskData e = MaskEntry("PANEL", "PATTERN", {4, 4, 7, 6}, 1, 0, drawMode, 0, 0, 0, 0);
        e.ImgType = TacImgType::itisaTexture;
        return m_skin.AddMask(std::move(e));
    }
};

TEST_P(Textures, EachDrawModeCoversItsPartAndLeavesTheRestToTheColour) {
    const int mode = GetParam();
    const bool stretched = mode == 1 || mode == 4 || mode == 5;
    const int texture = AddTexture(mode, stretched);
    const int section = AddSection(0x00C0FF, 0);
    SectionAt(section).ImagePercent = 100;
    const TColor before = 0x123456, colour = 0x00C0FF;
    TBitmap face = Solid(7, 5, before);
    Paint(section, face, {}, {0, 0}, 0, texture, -1);
    auto tex = [&](int x, int y) { return stretched ? TColor(0x0A0B0C) : Texel(x % 3, y % 2); };
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            TColor expected = colour;
            switch (mode) {
            case 0:
            case 1:
                expected = tex(x, y);
                break;
            case 2:
            case 4:
                expected = y < 2 ? tex(x, y) : colour;
                break;
            case 3:
            case 5:
                expected = x < 3 ? tex(x, y) : colour;
                break;
            case 6:
                expected = y >= 3 ? tex(x, y - 3) : colour;
                break;
            case 7:
                expected = x >= 4 ? tex(x - 4, y) : colour;
                break;
            case 10:
                expected = y < 4 ? tex(x, y) : before;
                break;
            default:
                break;
            }
            ASSERT_EQ(face.GetPixel(x, y), expected) << "mode " << mode << " at " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Layers, Textures, ::testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 10, 8));

TEST_F(Layers, MaskedTextureKeyPixelsTakeTheParentKeyColour) {
    m_skin.Model().MasterBitmap = Solid(2, 4, clWhite);
    m_skin.Model().MasterBitmap.SetPixel(1, 1, clFuchsia);
    FillArea(m_skin.Model().MasterBitmap, {0, 2, 2, 4}, clBlack); // mask: take the image
    TsMaskData e = MaskEntry("PANEL", "PATTERN", {0, 0, 2, 4}, 1, 1, 0, 0, 0, 0, 0);
    e.ImgType = TacImgType::itisaTexture;
    m_skin.AddMask(std::move(e));
    const int section = AddSection(0x00C0FF, 0);
    SectionAt(section).ImagePercent = 100;
    SetParentKeyColor(0x0000AA);
    TBitmap face = Solid(4, 4, clBlack);
    Paint(section, face, {}, {0, 0}, 0, -1, -1);
    EXPECT_EQ(face.GetPixel(0, 0), clWhite);
    EXPECT_EQ(face.GetPixel(1, 1), 0x0000AAu);
    EXPECT_EQ(face.GetPixel(3, 3), 0x0000AAu);
    EXPECT_EQ(face.GetPixel(2, 3), clWhite);
}

TEST_F(Layers, CustomColourTurnsTheOtherLayersOff) {
    const int section = AddSection(0x336699, 100);
    SectionAt(section).GradientPercent = 100;
    const TBitmap parent = Solid(20, 20, clWhite);
    TBitmap face = Solid(5, 3, clBlack);
    PaintLayers(section, "PANEL", {&parent, 0, 0, true}, 0x0000FF, -1, -1, &m_skin.Manager(), face, {0, 0},
                face.BoundsRect(), 1);
    EXPECT_EQ(face, Solid(5, 3, 0x0000FF));
}

TEST_F(Layers, InvalidSectionsDrawNothing) {
    TBitmap face = Solid(5, 3, clBlack);
    Paint(3, face, {});
    Paint(-1, face, {});
    EXPECT_EQ(face, Solid(5, 3, clBlack));
}
