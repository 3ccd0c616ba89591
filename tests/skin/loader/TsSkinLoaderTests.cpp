#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/graphics/SystemColors.h"
#include "skin/TsSkinLoader.h"
#include "skin/support/SkinTestSupport.h"

using namespace skintest;

namespace {

const TsMaskData& OnlyMask(const TsSkinModel& model) {
    EXPECT_EQ(model.MaskData.size(), 1u);
    return model.MaskData.front();
}

const TsGeneralData& Section(const TsSkinModel& model, const char* name) {
    const int index = model.GetSkinIndex(name);
    EXPECT_GE(index, 0) << name;
    return model.GeneralData.at(std::size_t(index));
}

TacPackageEntry Bmp(const std::string& name, int w, int h, TPixelFormat format = TPixelFormat::pf24bit) {
    return Entry(name, BmpFile(SolidBitmap(w, h, MakeColor(10, 20, 30), format)));
}

} // namespace

// ---- value forms

TEST(MaskForms, GlyphReadsFixedPositions) {
    auto model = LoadPackageSkin("[GLOBALINFO]\nBOXCHECKED=@0099@0036@0144@0049@3@0\n");
    const TsMaskData& m = OnlyMask(*model);
    EXPECT_EQ(m.R, (TRect{99, 36, 144, 49}));
    EXPECT_EQ(m.ImageCount, 3);
    EXPECT_EQ(m.MaskType, 0);
    EXPECT_EQ(m.ImgType, TacImgType::itisaGlyph);
    EXPECT_EQ(m.WL + m.WT + m.WR + m.WB + m.BorderWidth + m.DrawMode, 0);
    EXPECT_EQ(m.ClassName, "GLOBALINFO");
    EXPECT_EQ(m.PropertyName, "BOXCHECKED");
}

TEST(MaskForms, BorderWidthSetsAllFourWidths) {
    auto model = LoadPackageSkin("[B]\nBORDERSMASK=^0096^0080^0129^0107^0000^0000^0000^0000^1^0^1^2\n");
    const TsMaskData& m = OnlyMask(*model);
    EXPECT_EQ(m.BorderWidth, 2);
    EXPECT_EQ(m.DrawMode, 1);
    EXPECT_EQ(m.WL, 2);
    EXPECT_EQ(m.WT, 2);
    EXPECT_EQ(m.WR, 2);
    EXPECT_EQ(m.WB, 2);
}

TEST(MaskForms, BorderWithoutWidthsTakesThirds) {
    auto model = LoadPackageSkin("[B]\nBORDERSMASK=^0042^0198^0060^0234^0000^0000^0000^0000^1^1^5^0\n");
    const TsMaskData& m = OnlyMask(*model);
    EXPECT_EQ(m.WL, 6);
    EXPECT_EQ(m.WR, 6);
    EXPECT_EQ(m.WT, 6);
    EXPECT_EQ(m.WB, 6);
    EXPECT_EQ(m.DrawMode, 5);
}

TEST(MaskForms, BorderKeepsExplicitWidths) {
    auto model = LoadPackageSkin("[B]\nBORDERSMASK=^0000^0000^0030^0030^0001^0002^0003^0004^1^0^0^0\n");
    const TsMaskData& m = OnlyMask(*model);
    EXPECT_EQ((std::array<int, 4>{m.WL, m.WT, m.WR, m.WB}), (std::array<int, 4>{1, 2, 3, 4}));
}

TEST(MaskForms, ShortTextureHasMaskTypeZero) {
    auto model = LoadPackageSkin("[B]\nPATTERN=~0000~0062~0138~0107~00\n");
    const TsMaskData& m = OnlyMask(*model);
    EXPECT_EQ(m.DrawMode, 0);
    EXPECT_EQ(m.MaskType, 0);
    EXPECT_EQ(m.ImageCount, 1);
    EXPECT_EQ(m.ImgType, TacImgType::itisaTexture);
    EXPECT_EQ(m.R, (TRect{0, 62, 138, 107}));
}

TEST(MaskForms, LongTextureReadsMaskType) {
    auto model = LoadPackageSkin("[B]\nPATTERN=~0000~0062~0138~0107~03~1\n");
    EXPECT_EQ(OnlyMask(*model).DrawMode, 3);
    EXPECT_EQ(OnlyMask(*model).MaskType, 1);
}

TEST(MaskForms, OwnBitmapTakesWholeImage) {
    auto model = LoadPackageSkin("[BUTTON_HUGE]\nBORDERSMASK=!BUTTONHUGE.BMP!3!1!0\n",
                                 {Bmp("ButtonHuge.bmp", 288, 192)});
    const TsMaskData& m = OnlyMask(*model);
    ASSERT_NE(m.Bmp, nullptr);
    EXPECT_EQ(m.R, (TRect{0, 0, 288, 192}));
    EXPECT_EQ(m.WL, 32);
    EXPECT_EQ(m.WR, 32);
    EXPECT_EQ(m.WT, 32);
    EXPECT_EQ(m.WB, 32);
    EXPECT_EQ(m.DrawMode, 4);
    EXPECT_EQ(m.Bmp->PixelFormat(), TPixelFormat::pf24bit);
}

TEST(MaskForms, OwnBitmapReadsEightWords) {
    auto model = LoadPackageSkin("[B]\nBORDERSMASK=!X.BMP!1!0!2!4!5!6!7\n", {Bmp("x.bmp", 30, 30)});
    const TsMaskData& m = OnlyMask(*model);
    EXPECT_EQ(m.ImgType, TacImgType::itisaGlyph);
    EXPECT_EQ((std::array<int, 4>{m.WL, m.WT, m.WR, m.WB}), (std::array<int, 4>{4, 5, 6, 7}));
}

TEST(MaskForms, OwnTextureKeepsEightBits) {
    auto model = LoadPackageSkin("[B]\nPATTERN=!T.BMP!1!0!1\n", {Bmp("T.BMP", 8, 8, TPixelFormat::pf8bit)});
    EXPECT_EQ(OnlyMask(*model).Bmp->PixelFormat(), TPixelFormat::pf8bit);
}

TEST(MaskForms, MissingOwnBitmapMakesNoEntry) {
    auto model = LoadPackageSkin("[B]\nBORDERSMASK=!NONE.BMP!3!1!0\n");
    EXPECT_TRUE(model->MaskData.empty());
}

TEST(MaskForms, UnknownImageTypeMakesNoEntry) {
    auto model = LoadPackageSkin("[B]\nBORDERSMASK=!X.BMP!3!1!7\n", {Bmp("X.BMP", 30, 30)});
    EXPECT_TRUE(model->MaskData.empty());
}

TEST(MaskForms, ZeroImageCountBecomesOne) {
    auto model = LoadPackageSkin("[B]\nBORDERSMASK=^0000^0000^0030^0030^0000^0000^0000^0000^0^0^0^0\n");
    EXPECT_EQ(OnlyMask(*model).ImageCount, 1);
    EXPECT_EQ(OnlyMask(*model).WL, 10);
}

TEST(MaskForms, BitmapFileUnderOtherKey) {
    auto model = LoadPackageSkin("[Panel]\nImg=x.bmp\n", {Bmp("X.BMP", 90, 60)});
    const TsMaskData& m = OnlyMask(*model);
    EXPECT_EQ(m.ClassName, "PANEL");
    EXPECT_EQ(m.PropertyName, "IMG");
    EXPECT_EQ(m.ImageCount, 3);
    EXPECT_EQ(m.MaskType, 1);
    EXPECT_EQ(m.WL, 10);
    EXPECT_EQ(m.WT, 10);
    EXPECT_EQ(m.DrawMode, 0);
}

TEST(MaskForms, HashFormReadsTwoGroups) {
    auto model =
        LoadPackageSkin("[B]\nBORDERSMASK=#MASTER (10, 20, 70, 80) (2,0,3)\nPATTERN=#M (0,0,9,9) (0 -1)\n");
    ASSERT_EQ(model->MaskData.size(), 2u);
    const TsMaskData& border = model->MaskData[0];
    EXPECT_EQ(border.R, (TRect{10, 20, 70, 80}));
    EXPECT_EQ(border.ImageCount, 2);
    EXPECT_EQ(border.BorderWidth, 3);
    EXPECT_EQ(border.WL, 3);
    EXPECT_EQ(border.DrawMode, 1);
    const TsMaskData& pattern = model->MaskData[1];
    EXPECT_EQ(pattern.ImgType, TacImgType::itisaTexture);
    EXPECT_EQ(pattern.ImageCount, 1);
    EXPECT_EQ(pattern.MaskType, 0);
}

TEST(MaskForms, OtherValuesMakeNoEntry) {
    auto model =
        LoadPackageSkin("[B]\nCOLOR=123\nA=N/A\nB=TRUE\nPARENTCLASS=EDIT\nC=#\nGRADIENTDATA=1;2;3;4;5\n");
    EXPECT_TRUE(model->MaskData.empty());
}

TEST(MaskForms, BadNumberEndsTheLoadNamingTheKey) {
    try {
        LoadPackageSkin("[EDIT]\nBORDERSMASK=^00x0^0000\n");
        FAIL() << "no conversion error";
    } catch (const EConvertError& error) {
        EXPECT_NE(std::string(error.what()).find("[EDIT] BORDERSMASK"), std::string::npos);
    }
}

TEST(MaskForms, RegionOutsideImageIsKept) {
    auto model =
        LoadPackageSkin("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[B]\nBORDERSMASK=@0000@0000@0500@0500@1@0\n",
                        {Bmp("Master.bmp", 20, 20)});
    EXPECT_EQ(OnlyMask(*model).R, (TRect{0, 0, 500, 500}));
}

// ---- master bitmap and external images

TEST(MasterBitmap, IsConvertedToTwentyFourBits) {
    auto model = LoadPackageSkin("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n",
                                 {Bmp("Master.bmp", 12, 7, TPixelFormat::pf8bit)});
    EXPECT_EQ(model->MasterBitmap.Size(), (TSize{12, 7}));
    EXPECT_EQ(model->MasterBitmap.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(model->MasterBitmap.GetPixel(3, 3), MakeColor(10, 20, 30));
    EXPECT_TRUE(model->MaskData.empty());
}

TEST(MasterBitmap, MissingLeavesItEmpty) {
    auto model = LoadPackageSkin("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n");
    EXPECT_TRUE(model->MasterBitmap.IsEmpty());
}

TEST(ExternalImages, LargeJpegStaysExternal) {
    auto model = LoadPackageSkin("[FORM]\nPATTERN=WOOD.JPG\n",
                                 {Entry("Wood.jpg", WriteJpeg(SolidBitmap(300, 300, clWhite)))});
    ASSERT_EQ(model->PatternData.size(), 1u);
    EXPECT_EQ(model->PatternData[0].ClassName, "FORM");
    EXPECT_EQ(model->PatternData[0].PropertyName, "PATTERN");
    EXPECT_TRUE(model->MaskData.empty());
}

TEST(ExternalImages, SmallJpegBecomesTexture) {
    auto model = LoadPackageSkin("[form]\npattern=wood.jpeg\n",
                                 {Entry("WOOD.JPEG", WriteJpeg(SolidBitmap(299, 300, clWhite)))});
    EXPECT_TRUE(model->PatternData.empty());
    const TsMaskData& m = OnlyMask(*model);
    EXPECT_EQ(m.ImgType, TacImgType::itisaTexture);
    EXPECT_EQ(m.ClassName, "FORM");
    EXPECT_EQ(m.PropertyName, "PATTERN");
    EXPECT_TRUE(m.R.IsEmpty());
    EXPECT_EQ(m.Bmp->Width(), 299);
}

TEST(ExternalImages, BrokenJpegIsSkipped) {
    auto model = LoadPackageSkin("[FORM]\nPATTERN=WOOD.JPG\n", {Entry("WOOD.JPG", "not a jpeg")});
    EXPECT_TRUE(model->PatternData.empty());
    EXPECT_TRUE(model->MaskData.empty());
}

// ---- section records

TEST(SectionRecords, AbsentKeysTakeDefaults) {
    auto model = LoadPackageSkin("[X]\n");
    const TsGeneralData& r = Section(*model, "X");
    EXPECT_EQ(r.Color, 0xFFFFFFu);
    EXPECT_EQ(r.HotColor, 0xFFFFFFu);
    EXPECT_EQ(r.FontColor, DefaultFontColors);
    EXPECT_EQ(r.ShadowBlur, 6);
    EXPECT_EQ(r.ShadowOffset, 3);
    EXPECT_EQ(r.ShadowTransparency, 50);
    EXPECT_EQ(r.GradientData, " ");
    EXPECT_EQ(r.HotGradientData, "");
    EXPECT_EQ(r.FadingIterations, 5);
    EXPECT_FALSE(r.ShowFocus);
}

TEST(SectionRecords, ParentSuppliesMissingColour) {
    auto model = LoadPackageSkin("[EDIT]\nCOLOR=16777215\nSHOWFOCUS=TRUE\n[COMBOBOX]\nPARENTCLASS=EDIT\n");
    const TsGeneralData& r = Section(*model, "COMBOBOX");
    EXPECT_EQ(r.Color, 16777215u);
    EXPECT_TRUE(r.ShowFocus);
    EXPECT_EQ(r.ParentClass, "EDIT");
    EXPECT_EQ(Section(*model, "EDIT").ParentClass, "");
}

TEST(SectionRecords, MinusOneCountsAsAbsent) {
    auto model = LoadPackageSkin("[EDIT]\nCOLOR=255\n[B]\nPARENTCLASS=EDIT\nCOLOR=-1\n");
    EXPECT_EQ(Section(*model, "B").Color, 255u);
}

TEST(SectionRecords, SelfParentReadsOwnValuesOnly) {
    auto model = LoadPackageSkin("[A]\nPARENTCLASS=A\nTRANSPARENCY=20\n");
    EXPECT_EQ(Section(*model, "A").Transparency, 20);
    EXPECT_EQ(Section(*model, "A").Color, 0xFFFFFFu);
}

TEST(SectionRecords, LoopingParentsEnd) {
    auto model = LoadPackageSkin("[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=a\n");
    EXPECT_EQ(Section(*model, "A").Color, 0xFFFFFFu);
    EXPECT_EQ(ReadInheritedString(
                  TacSkinOptions::Parse(std::string_view("[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=A\n")), "A",
                  "X", "dflt"),
              "dflt");
}

TEST(SectionRecords, ShadowColourIsNotInherited) {
    auto model = LoadPackageSkin("[P]\nSHADOWCOLOR=77\nSHADOWBLUR=9\n[C]\nPARENTCLASS=P\n");
    EXPECT_EQ(Section(*model, "C").ShadowColor, 0u);
    EXPECT_EQ(Section(*model, "C").ShadowBlur, 9);
}

TEST(SectionRecords, SystemColourIsConvertedForColourOnly) {
    auto model = LoadPackageSkin("[A]\nCOLOR=$FF00000F\nHOTCOLOR=$FF00000F\n");
    EXPECT_EQ(Section(*model, "A").Color, ColorToRGB(clBtnFace));
    EXPECT_EQ(Section(*model, "A").HotColor, clBtnFace);
}

TEST(SectionRecords, OutlineColoursAndBevel) {
    auto model = LoadPackageSkin("[A]\nFONTCOLOR=5\nTCTOP=6\nHOTTCBOTTOM=7\nBEVEL=2\nHOTBEVEL=9\n");
    const TsGeneralData& r = Section(*model, "A");
    EXPECT_EQ(r.FontColor, (TsFontColors{5, -1, 6, -1, -1}));
    EXPECT_EQ(r.HotFontColor, (TsFontColors{0, -1, -1, -1, 7}));
    EXPECT_EQ(r.Bevel, TsControlBevel::cbLoweredSoft);
    EXPECT_EQ(r.HotBevel, TsControlBevel::cbNone);
}

TEST(SectionRecords, GradientOfTwelveWordsHasTwoItems) {
    auto model = LoadPackageSkin("[A]\nGRADIENTDATA=1;2;150;1;0;3;4;8;0;0;9;9\n");
    const TsGeneralData& r = Section(*model, "A");
    ASSERT_EQ(r.GradientArray.size(), 2u);
    EXPECT_EQ(r.GradientArray[0], (TsGradItem{1, 2, 100, 1, 0}));
    EXPECT_EQ(r.GradientArray[1], (TsGradItem{3, 4, 8, 0, 0}));
}

TEST(SectionRecords, BadGradientWordEndsTheLoad) {
    EXPECT_THROW(LoadPackageSkin("[A]\nHOTGRADIENTDATA=1;2;x;0;0\n"), EConvertError);
}

TEST(SectionRecords, LookupIsCaseSensitive) {
    auto model = LoadPackageSkin("[EDIT]\n");
    EXPECT_EQ(model->GetSkinIndex("edit"), -1);
    EXPECT_EQ(model->GetSkinIndex("EDIT"), 0);
}

// ---- global values

TEST(GlobalValues, AreReadFromGlobalInfo) {
    auto model =
        LoadPackageSkin("[GLOBALINFO]\nVERSION=5.41\nAUTHOR=Me\nSHADOW1COLOR=2439995\nSHADOW1BLUR=4\n"
                        "BISPACE=2\nBORDERCOLOR=12\n");
    const TsSkinData& d = model->SkinData;
    EXPECT_DOUBLE_EQ(d.Version, 5.41);
    EXPECT_EQ(d.Author, "Me");
    EXPECT_EQ(d.Shadow1Color, 2439995u);
    EXPECT_EQ(d.Shadow1Blur, 4);
    EXPECT_EQ(d.Shadow1Offset, 0);
    EXPECT_EQ(d.BISpace, 2);
    EXPECT_EQ(d.BorderColor, 12u);
}

TEST(GlobalValues, DefaultsWithoutGlobalInfo) {
    auto model = LoadPackageSkin("[A]\n");
    EXPECT_EQ(model->SkinData.Shadow1Blur, -1);
    EXPECT_EQ(model->SkinData.Version, 0);
}

TEST(GlobalValues, BadShadowNumberEndsTheLoad) {
    EXPECT_THROW(LoadPackageSkin("[GLOBALINFO]\nSHADOW1OFFSET=abc\n"), EConvertError);
}

// ---- common sections

TEST(CommonSections, RecordReplacesLoadedOneAndInheritsParent) {
    auto model = LoadPackageSkin("[EDIT]\nCOLOR=100\nTRANSPARENCY=30\n[BUTTON]\nCOLOR=5\n", {},
                                 "[BUTTON]\nPARENTCLASS=edit\nHOTCOLOR=7\n[EXTRA]\nCOLOR=9\n");
    const TsGeneralData& button = Section(*model, "BUTTON");
    EXPECT_EQ(button.Color, 100u);
    EXPECT_EQ(button.Transparency, 30);
    EXPECT_EQ(button.HotColor, 7u);
    EXPECT_EQ(Section(*model, "EXTRA").Color, 9u);
    EXPECT_EQ(model->GeneralData.size(), 3u);
}
