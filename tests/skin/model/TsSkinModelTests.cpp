#include <gtest/gtest.h>

#include "platform/graphics/SystemColors.h"
#include "skin/TsSkinModel.h"
#include "skin/support/SkinTestSupport.h"

using namespace skintest;

TEST(MaskLookup, FollowsParentChain) {
    auto model =
        LoadPackageSkin("[EDIT]\nBORDERSMASK=@0000@0000@0030@0030@3@0\n[COMBOBOX]\nPARENTCLASS=EDIT\n");
    const int combo = model->GetSkinIndex("COMBOBOX");
    EXPECT_EQ(model->GetMaskIndex(combo, "COMBOBOX", "BORDERSMASK"), 0);
    EXPECT_EQ(model->FindMaskEntry("COMBOBOX", "BORDERSMASK"), -1);
    EXPECT_EQ(model->GetMaskIndex(-1, "COMBOBOX", "BORDERSMASK"), -1);
    EXPECT_EQ(model->GetMaskIndex(combo, "", "BORDERSMASK"), -1);
}

TEST(MaskLookup, LoopingChainEnds) {
    auto model = LoadPackageSkin("[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=A\n");
    EXPECT_EQ(model->GetMaskIndex(0, "A", "BORDERSMASK"), -1);
    EXPECT_EQ(model->GetExternalImageIndex(0, "A", "PATTERN"), -1);
}

TEST(MaskLookup, TextureIndexSkipsOtherKinds) {
    auto model = LoadPackageSkin(
        "[P]\nPATTERN=@0000@0000@0030@0030@1@0\n[C]\nPARENTCLASS=P\nPATTERN=~0000~0000~0010~0010~00\n");
    const int c = model->GetSkinIndex("C");
    const int p = model->GetSkinIndex("P");
    EXPECT_EQ(model->GetTextureIndex(c, "C", "PATTERN"), 1);
    EXPECT_EQ(model->GetTextureIndex(p, "P", "PATTERN"), -1);
    EXPECT_EQ(model->GetMaskIndex(p, "P", "PATTERN"), 0);
}

TEST(MaskWidths, OwnWidthThenBorderWidthThenThirds) {
    auto model = LoadPackageSkin(
        "[A]\nM1=@0000@0000@0090@0060@3@1\nM2=^0000^0000^0030^0030^0005^0000^0000^0000^1^0^0^0\n");
    EXPECT_EQ(model->MaskWidthLeft(0), 10);
    EXPECT_EQ(model->MaskWidthTop(0), 10);
    EXPECT_EQ(model->MaskWidthLeft(1), 5);
    EXPECT_EQ(model->MaskWidthTop(1), 10);
    EXPECT_EQ(model->MaskWidthRight(7), 0);
}

TEST(MaskSize, StateImageOfRegionOrThirdsOfOwnBitmap) {
    auto model = LoadPackageSkin("[A]\nM1=@0000@0000@0090@0060@3@1\nM2=!X.BMP!1!0!0\n",
                                 {Entry("X.BMP", BmpFile(SolidBitmap(31, 20, clWhite)))});
    EXPECT_EQ(model->GetMaskSize(0), (TPoint{30, 30}));
    EXPECT_EQ(model->GetMaskSize(1), (TPoint{10, 10}));
    EXPECT_EQ(model->GetMaskSize(-1), (TPoint{0, 0}));
}

TEST(GlobalColours, ComeFromGlobalInfo) {
    auto model = LoadPackageSkin("[GLOBALINFO]\nCOLOR=8239058\nFONTCOLOR=255\nHOTCOLOR=65280\n");
    EXPECT_EQ(model->GlobalColor(), 8239058u);
    EXPECT_EQ(model->GlobalFontColor(), 255u);
    EXPECT_EQ(model->GlobalHotColor(), 65280u);
}

TEST(GlobalColours, FallBackWithoutGlobalInfo) {
    TsSkinModel model;
    EXPECT_EQ(model.GlobalColor(), ColorToRGB(clBtnFace));
    EXPECT_EQ(model.GlobalFontColor(), clFuchsia);
    EXPECT_EQ(model.GlobalHotColor(), ColorToRGB(clWindow));
}

TEST(CommonIndexes, AllMinusOneWithoutSkin) {
    TsSkinModel model;
    model.RebuildCommonIndexes();
    EXPECT_EQ(model.CommonIndexes.GlobalInfo, -1);
    EXPECT_EQ(model.CommonIndexes.CheckMasks[TsCommonIndexes::BoxChecked], -1);
    EXPECT_EQ(model.CommonIndexes.ScrollButtons[TsCommonIndexes::SliderH].Glyph, -1);
}

TEST(CommonIndexes, AreFilledFromTheArrays) {
    auto model = LoadPackageSkin(
        "[GLOBALINFO]\nRADIOGRAYED=@0000@0000@0030@0030@3@0\n"
        "[COMBOBTN]\nBORDERSMASK=@0000@0000@0030@0030@3@0\nHOTPATTERN=~0000~0000~0010~0010~00\n"
        "[SCROLLBTNLEFT]\nGLYPHMASK=@0000@0000@0030@0030@3@0\n[TABLEFT]\n");
    model->RebuildCommonIndexes();
    const TsCommonIndexes& c = model->CommonIndexes;
    EXPECT_EQ(c.GlobalInfo, 0);
    EXPECT_EQ(c.CheckMasks[TsCommonIndexes::RadioGrayed], 0);
    EXPECT_EQ(c.CheckMasks[TsCommonIndexes::BoxChecked], -1);
    EXPECT_EQ(c.ComboBtn.Section, 1);
    EXPECT_EQ(c.ComboBtn.BorderMask, 1);
    EXPECT_EQ(c.ComboBtn.HotPattern, 2);
    EXPECT_EQ(c.ScrollButtons[TsCommonIndexes::BtnLeft].Glyph, 3);
    EXPECT_EQ(c.Tabs[TsCommonIndexes::TabLeft].Section, 3);
    EXPECT_EQ(c.Tabs[TsCommonIndexes::TabTop].Section, -1);
}
