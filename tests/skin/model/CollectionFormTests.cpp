#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "skin/TsSkinModel.h"
#include "skin/TsStoredSkin.h"

namespace {

// A stored skin in collection form: one section and two images, one cut from the master
// bitmap and one with its own picture, plus a texture.
TsStoredSkin CollectionSkin() {
    TsStoredSkin skin;
    skin.Name = "Plain (internal)";
    skin.MasterBitmap = TBitmap(40, 20, TPixelFormat::pf8bit);
    TsSkinGeneral button;
    button.SectionName = "button";
    button.ParentClass = "edit";
    button.Color = 255;
    button.FontColor = "16711680 1 2 3 4";
    button.HotFontColor = "7 8";
    button.GradientData = "255;65280;150;0;0";
    skin.GeneralData.push_back(button);

    TsSkinImage cut;
    cut.SectionName = "button";
    cut.PropertyName = "bordersmask";
    cut.Left = 1;
    cut.Top = 2;
    cut.Right = 31;
    cut.Bottom = 12;
    cut.ImageCount = 0;
    cut.MaskType = 0;
    cut.StretchMode = 4;
    skin.Images.push_back(cut);

    TsSkinImage own;
    own.SectionName = "button";
    own.PropertyName = "glyphmask";
    own.Name = "glyph";
    own.Image = TBitmap(6, 4, TPixelFormat::pf8bit);
    own.ImageCount = 2;
    own.MaskType = -3;
    own.ImgType = TacImgType::itisaGlyph;
    skin.Images.push_back(own);

    TsSkinImage pattern;
    pattern.SectionName = "button";
    pattern.PropertyName = "pattern";
    pattern.ImgType = TacImgType::itisaBorder;
    pattern.StretchMode = 5;
    pattern.ImageCount = 1;
    skin.Images.push_back(pattern);

    skin.Version = 5.41;
    skin.Author = "Quibbleton";
    skin.Shadow1Color = 0x102030;
    skin.Shadow1Offset = 2;
    skin.Shadow1Blur = 4;
    skin.BorderColor = 0x445566;
    return skin;
}

TEST(CollectionForm, SectionNamesAreUpperCasedAndFontColoursParsed) {
    TsSkinModel model;
    LoadCollectionForm(model, CollectionSkin(), nullptr);
    ASSERT_EQ(model.GeneralData.size(), 1u);
    const TsGeneralData& r = model.GeneralData[0];
    EXPECT_EQ(r.ClassName, "BUTTON");
    EXPECT_EQ(r.ParentClass, "EDIT");
    EXPECT_EQ(r.Color, 255u);
    EXPECT_EQ(r.FontColor, (TsFontColors{16711680, 1, 2, 3, 4}));
    // Two words are not five: text colour 0 and no outlines.
    EXPECT_EQ(r.HotFontColor, DefaultFontColors);
}

TEST(CollectionForm, GradientDescriptionsAreParsedWithPercentLimited) {
    TsSkinModel model;
    LoadCollectionForm(model, CollectionSkin(), nullptr);
    const TsGradArray& g = model.GeneralData.at(0).GradientArray;
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].Color1, 255u);
    EXPECT_EQ(g[0].Color2, 65280u);
    EXPECT_EQ(g[0].Percent, 100);
}

TEST(CollectionForm, ImageCountZeroMeansThreeStatesWithAMaskHalf) {
    TsSkinModel model;
    LoadCollectionForm(model, CollectionSkin(), nullptr);
    const TsMaskData& cut = model.MaskData.at(0);
    EXPECT_EQ(cut.ClassName, "BUTTON");
    EXPECT_EQ(cut.PropertyName, "BORDERSMASK");
    EXPECT_EQ(cut.ImageCount, 3);
    EXPECT_EQ(cut.MaskType, 1);
    EXPECT_EQ(cut.Bmp, nullptr);
    EXPECT_EQ(cut.R, (TRect{1, 2, 31, 12}));
    EXPECT_EQ(cut.DrawMode, 4);
}

TEST(CollectionForm, NamedImagesGetTheirOwnPictureAt24Bits) {
    TsSkinModel model;
    LoadCollectionForm(model, CollectionSkin(), nullptr);
    const TsMaskData& own = model.MaskData.at(1);
    ASSERT_NE(own.Bmp, nullptr);
    EXPECT_EQ(own.Bmp->PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(own.R, (TRect{0, 0, 6, 4}));
    EXPECT_EQ(own.ImageCount, 2);
    EXPECT_EQ(own.MaskType, 0);
    EXPECT_EQ(own.ImgType, TacImgType::itisaGlyph);
}

TEST(CollectionForm, PatternsAreTexturesAndTakeTheStretchModeOnlyAsTextures) {
    TsSkinModel model;
    LoadCollectionForm(model, CollectionSkin(), nullptr);
    const TsMaskData& pattern = model.MaskData.at(2);
    EXPECT_EQ(pattern.ImgType, TacImgType::itisaTexture);
    EXPECT_EQ(pattern.DrawMode, 0);

    TsStoredSkin skin = CollectionSkin();
    skin.Images[2].ImgType = TacImgType::itisaTexture;
    LoadCollectionForm(model, skin, nullptr);
    EXPECT_EQ(model.MaskData.at(2).DrawMode, 5);
}

TEST(CollectionForm, MasterBitmapAndGlobalValuesComeFromTheItem) {
    TsSkinModel model;
    LoadCollectionForm(model, CollectionSkin(), nullptr);
    EXPECT_EQ(model.MasterBitmap.Size(), (TSize{40, 20}));
    EXPECT_EQ(model.MasterBitmap.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_DOUBLE_EQ(model.SkinData.Version, 5.41);
    EXPECT_EQ(model.SkinData.Author, "Quibbleton");
    EXPECT_EQ(model.SkinData.Shadow1Color, 0x102030u);
    EXPECT_EQ(model.SkinData.Shadow1Offset, 2);
    EXPECT_EQ(model.SkinData.Shadow1Blur, 4);
    EXPECT_EQ(model.SkinData.BorderColor, 0x445566u);
}

TEST(CollectionForm, AGradientThatIsNoNumberEndsTheLoad) {
    TsStoredSkin skin = CollectionSkin();
    skin.GeneralData[0].GradientData = "255;green;50;0;0";
    TsSkinModel model;
    EXPECT_THROW(LoadCollectionForm(model, skin, nullptr), EConvertError);
}

TEST(CollectionForm, ALoadReplacesWhatAnEarlierLoadLeft) {
    TsSkinModel model;
    LoadCollectionForm(model, CollectionSkin(), nullptr);
    TsStoredSkin empty;
    LoadCollectionForm(model, empty, nullptr);
    EXPECT_TRUE(model.GeneralData.empty());
    EXPECT_TRUE(model.MaskData.empty());
    EXPECT_TRUE(model.MasterBitmap.IsEmpty());
}

} // namespace
