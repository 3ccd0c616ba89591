#include <gtest/gtest.h>

#include "platform/graphics/SystemColors.h"
#include "skin/HueSaturation.h"
#include "skin/support/SkinTestSupport.h"

using namespace skintest;

TEST(ChangeHue, RotatesPrimaries) {
    EXPECT_EQ(ChangeHue(120, 0x0000FF), 0x00FF00u);
    EXPECT_EQ(ChangeHue(240, 0x0000FF), 0xFF0000u);
    EXPECT_EQ(ChangeHue(360, 0x0000FF), 0x0000FFu);
}

TEST(ChangeHue, RoundsHueToWholeDegrees) {
    EXPECT_EQ(ChangeHue(360, MakeColor(255, 100, 0)), MakeColor(255, 102, 0));
}

TEST(ChangeHue, LeavesGreysAlone) {
    EXPECT_EQ(ChangeHue(50, 0x808080), 0x808080u);
    EXPECT_EQ(ChangeHue(50, 0x000000), 0x000000u);
}

TEST(ChangeHue, OffsetsDifferingBy720Agree) {
    for (TColor c : {0x123456u, 0x00FF80u, 0xFE01FFu, 0x102030u, 0xA0B0C0u})
        EXPECT_EQ(ChangeHue(1000, c), ChangeHue(280, c)) << c;
}

TEST(ChangeHue, ConvertsSystemColours) {
    EXPECT_EQ(ChangeHue(360, clBtnFace), ChangeHue(360, ColorToRGB(clBtnFace)));
    EXPECT_EQ(ChangeHue(360, clBtnFace) >> 24, 0u);
}

TEST(ChangeHue, NegativeOffsetWrapsIntoCircle) {
    EXPECT_EQ(ChangeHue(-120, 0x0000FF), 0xFF0000u);
}

TEST(ChangeSaturation, MinusHundredKeepsPureRed) {
    EXPECT_EQ(ChangeSaturation(0x0000FF, -100), 0x0000FFu);
}

TEST(ChangeSaturation, HundredTurnsGrey) {
    EXPECT_EQ(ChangeSaturation(0x0000FF, 100), 0x555555u);
}

TEST(ChangeSaturation, DoublesDistanceFromGrey) {
    EXPECT_EQ(ChangeSaturation(0x6080A0, -100), 0x4080C0u);
}

TEST(ChangeSaturation, ZeroReturnsColourUnchanged) {
    EXPECT_EQ(ChangeSaturation(0xFF123456, 0), 0xFF123456u);
}

TEST(SaturationAmount, IsTruncatedRemainder) {
    EXPECT_EQ(SaturationAmount(100), -100);
    EXPECT_EQ(SaturationAmount(-100), 100);
    EXPECT_EQ(SaturationAmount(150), -49);
    EXPECT_EQ(SaturationAmount(101), 0);
}

namespace {

std::unique_ptr<TsSkinModel> SkinWithMaster(TColor pixel, const std::string& extra = "") {
    TBitmap master(2, 2);
    master.Fill(pixel);
    master.SetPixel(1, 1, clFuchsia);
    master.SetPixel(0, 1, MakeColor(255, 0, 254));
    return LoadPackageSkin("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\nSHADOW1COLOR=255\nBORDERCOLOR=255\n"
                           "[A]\nCOLOR=255\nHOTCOLOR=255\nFONTCOLOR=255\nTCLEFT=-1\nSHADOWCOLOR=255\n"
                           "BORDERCOLOR1=255\nGRADIENTDATA=255;255;50;0;0\n" +
                               extra,
                           {Entry("Master.bmp", BmpFile(master)),
                            Entry("T.BMP", BmpFile(SolidBitmap(4, 4, 0x0000FF, TPixelFormat::pf8bit)))});
}

} // namespace

TEST(ApplyHueOffset, RecolursModelExceptKeyAndExcludedFields) {
    auto model = SkinWithMaster(0x0000FF);
    ApplyHueOffset(*model, 120);
    EXPECT_EQ(model->MasterBitmap.GetPixel(0, 0), 0x00FF00u);
    EXPECT_EQ(model->MasterBitmap.GetPixel(1, 1), clFuchsia);
    EXPECT_NE(model->MasterBitmap.GetPixel(0, 1), MakeColor(255, 0, 254));
    const TsGeneralData& a = model->GeneralData[1];
    EXPECT_EQ(a.Color, 0x00FF00u);
    EXPECT_EQ(a.HotColor, 0x00FF00u);
    EXPECT_EQ(a.FontColor[0], 0x00FF00);
    EXPECT_EQ(a.FontColor[1], -1);
    EXPECT_EQ(a.GradientArray[0].Color1, 0x00FF00u);
    EXPECT_EQ(a.ShadowColor, 255u);
    EXPECT_EQ(a.BorderColor1, 255u);
    EXPECT_EQ(model->SkinData.Shadow1Color, 0x00FF00u);
    EXPECT_EQ(model->SkinData.BorderColor, 0x00FF00u);
}

TEST(ApplyHueOffset, ConvertsOwnBitmapsOnlyWhenApplied) {
    auto model = SkinWithMaster(0x0000FF, "PATTERN=!T.BMP!1!0!1\n");
    ApplyHueOffset(*model, 0);
    ApplySaturation(*model, 0);
    EXPECT_EQ(model->MaskData[0].Bmp->PixelFormat(), TPixelFormat::pf8bit);
    ApplyHueOffset(*model, 10);
    EXPECT_EQ(model->MaskData[0].Bmp->PixelFormat(), TPixelFormat::pf24bit);
}

TEST(ApplySaturation, HundredOneChangesNothingButWalks) {
    auto model = SkinWithMaster(0x2040C0, "PATTERN=!T.BMP!1!0!1\n");
    ApplySaturation(*model, 101);
    EXPECT_EQ(model->MasterBitmap.GetPixel(0, 0), 0x2040C0u);
    EXPECT_EQ(model->MaskData[0].Bmp->PixelFormat(), TPixelFormat::pf24bit);
}

TEST(ApplySaturation, MakesColoursMoreVivid) {
    auto model = SkinWithMaster(0x6080A0);
    ApplySaturation(*model, 100);
    EXPECT_EQ(model->MasterBitmap.GetPixel(0, 0), 0x4080C0u);
}

TEST(ApplyHueOffset, CachedPixelsMatchDirectCalls) {
    TBitmap master(64, 4);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 4; ++y)
            master.SetPixel(x, y, MakeColor(std::uint8_t(x * 4), std::uint8_t(y * 60), 200));
    auto model = LoadPackageSkin("[GLOBALINFO]\nMASTERBITMAP=M.BMP\n", {Entry("M.BMP", BmpFile(master))});
    ApplyHueOffset(*model, 170);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 4; ++y) {
            const TColor source = master.GetPixel(x, y);
            const bool grey =
                GetRValue(source) == GetGValue(source) && GetGValue(source) == GetBValue(source);
            EXPECT_EQ(model->MasterBitmap.GetPixel(x, y), grey ? source : ChangeHue(170, source));
        }
}
