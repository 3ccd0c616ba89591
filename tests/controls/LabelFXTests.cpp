#include "LabelFXTestFixture.h"

#include "controls/TsLabelFX.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"

using namespace TextFlags;
using namespace labeltest;
using namespace labelfxtest;

namespace {

TEST_F(LabelFXTest, WhiteSkinTextOverABlackOnePassGlow) {
    LoadGlobalInfo(0, 16777215, 0, 1, 1);
    TsLabelFX* label = Phrase();
    const TBitmap shown = PaintOver(*label, Behind);
    const TBitmap expected = ExpectedGlow(*label, 1, 1, 0x000000, 0xFFFFFF);
    EXPECT_EQ(DifferentPixels(shown, expected), 0);
    EXPECT_NE(DifferentPixels(shown, ExpectedGlow(*label, 1, 0, 0, 0xFFFFFF)), 0);
}

TEST_F(LabelFXTest, WarmSkinTextOverAThreePassGlow) {
    LoadGlobalInfo(0, 12905727, 2439995, 3, 1);
    TsLabelFX* label = Phrase();
    const TBitmap shown = PaintOver(*label, Behind);
    EXPECT_EQ(DifferentPixels(shown, ExpectedGlow(*label, 3, 1, 0x253B3B, 0xC4ECFF)), 0);
    EXPECT_EQ(label->Shadow().Red(), 0x3B);
    EXPECT_EQ(label->Shadow().Green(), 0x3B);
    EXPECT_EQ(label->Shadow().Blue(), 0x25);
}

TEST_F(LabelFXTest, WithoutASkinWhiteTextOverAFourPassBlackGlow) {
    SetDefaultManager(nullptr);
    TsLabelFX* label = Phrase();
    EXPECT_EQ(DifferentPixels(PaintOver(*label, Behind), ExpectedGlow(*label, 4, 1, 0, 0xFFFFFF)), 0);
}

TEST_F(LabelFXTest, SkinWithoutAShadowBlurUsesTheLabelsShadow) {
    LoadGlobalInfo(0, 0x00FF00, 0x0000FF, -1, 5);
    TsLabelFX* label = Phrase();
    label->Shadow().SetColor(0x102030);
    label->Shadow().SetBlurCount(2);
    label->Shadow().SetDistance(2);
    EXPECT_EQ(DifferentPixels(PaintOver(*label, Behind), ExpectedGlow(*label, 2, 2, 0x102030, 0x00FF00)), 0);
}

TEST_F(LabelFXTest, CustomShadowAndKindIgnoreTheSkin) {
    LoadGlobalInfo(0, 16777215, 0, 1, 1);
    TsLabelFX* label = Phrase();
    label->Shadow().SetMode(TsShadowMode::smCustom);
    label->Shadow().SetColor(0x0000FF);
    label->Shadow().SetBlurCount(2);
    label->Kind().SetKindType(TsKindType::ktCustom);
    label->Kind().SetColor(0x00FFFF);
    EXPECT_EQ(DifferentPixels(PaintOver(*label, Behind), ExpectedGlow(*label, 2, 1, 0x0000FF, 0x00FFFF)), 0);
}

TEST_F(LabelFXTest, StandardKindDrawsInTheLabelsColour) {
    SetDefaultManager(nullptr);
    TsLabelFX* label = Phrase();
    label->SetColor(clBtnFace);
    label->Kind().SetKindType(TsKindType::ktStandard);
    EXPECT_EQ(
        DifferentPixels(PaintOver(*label, Behind), ExpectedGlow(*label, 4, 1, 0, ColorToRGB(clBtnFace))), 0);
}

TEST_F(LabelFXTest, ZeroBlurOrNoShadowColourDrawsPlainText) {
    SetDefaultManager(nullptr);
    TsLabelFX* label = Phrase();
    TBitmap plain(label->Width(), label->Height());
    plain.Fill(Behind);
    DrawTextOn(plain, label->Caption(), label->ClientRect(), label->DrawTextFlags(), label->Font(), 0xFFFFFF);
    label->Shadow().SetBlurCount(0);
    EXPECT_EQ(DifferentPixels(PaintOver(*label, Behind), plain), 0);
    label->Shadow().SetBlurCount(4);
    label->Shadow().SetColor(clNone);
    EXPECT_EQ(DifferentPixels(PaintOver(*label, Behind), plain), 0);
}

TEST_F(LabelFXTest, NegativeBlurDarkensTheBackgroundOneStep) {
    SetDefaultManager(nullptr);
    TsLabelFX* label = Phrase();
    label->Shadow().SetBlurCount(-2);
    TBitmap expected(label->Width(), label->Height());
    expected.Fill(MakeColor(GetRValue(Behind) * 255 / 256, GetGValue(Behind) * 255 / 256,
                            GetBValue(Behind) * 255 / 256));
    DrawTextOn(expected, label->Caption(), label->ClientRect(), label->DrawTextFlags(), label->Font(),
               0xFFFFFF);
    EXPECT_EQ(DifferentPixels(PaintOver(*label, Behind), expected), 0);
}

TEST_F(LabelFXTest, OpaqueLabelComposesOverItsOwnColour) {
    SetDefaultManager(nullptr);
    TsLabelFX* label = Phrase();
    label->SetTransparent(false);
    label->SetColor(0x204060);
    TBitmap expected(label->Width(), label->Height());
    expected.Fill(0x204060);
    const TRect r = label->ClientRect();
    const TBitmap shape = TextShape(r.Width(), r.Height(), label->Caption(), r.Offset(1, 1),
                                    label->DrawTextFlags(), label->Font());
    ApplyGlowByRule(expected, shape, 4, 0);
    DrawTextOn(expected, label->Caption(), r, label->DrawTextFlags(), label->Font(), 0xFFFFFF);
    EXPECT_EQ(DifferentPixels(PaintOver(*label, Behind), expected), 0);
}

TEST_F(LabelFXTest, AutoSizedLabelMakesRoomForTheGlow) {
    SetDefaultManager(nullptr);
    TsLabelFX* label = Phrase();
    label->SetWordWrap(false);
    label->SetAutoSize(true);
    TBitmap scratch(1, 1);
    TCanvas canvas(scratch);
    canvas.SetFont(label->Font());
    const TSize text = canvas.TextExtent(label->Caption());
    EXPECT_EQ(label->Width(), text.Width + 8);
    EXPECT_EQ(label->Height(), text.Height + 8);
    EXPECT_EQ(label->MarginTopLeft(), -3);
    EXPECT_EQ(label->MarginBottomRight(), 5);
    // The glow's shape and the text lie 3 pixels right of and below the corner.
    TBitmap expected(label->Width(), label->Height());
    expected.Fill(Behind);
    const TRect r = label->ClientRect();
    const TRect inside{r.Left + 3, r.Top + 3, r.Right - 5, r.Bottom - 5};
    const unsigned flags = label->DrawTextFlags();
    const TBitmap shape =
        TextShape(r.Width(), r.Height(), label->Caption(), inside.Offset(1, 1), flags, label->Font());
    ApplyGlowByRule(expected, shape, 4, 0);
    DrawTextOn(expected, label->Caption(), inside, flags, label->Font(), 0xFFFFFF);
    EXPECT_EQ(DifferentPixels(PaintOver(*label, Behind), expected), 0);
}

TEST_F(LabelFXTest, MeasuringWithoutAGlowKeepsTheMargins) {
    SetDefaultManager(nullptr);
    TsLabelFX* label = Phrase();
    label->SetWordWrap(false);
    label->Shadow().SetBlurCount(0);
    label->SetAutoSize(true);
    TBitmap scratch(1, 1);
    TCanvas canvas(scratch);
    canvas.SetFont(label->Font());
    EXPECT_EQ(label->Width(), canvas.TextExtent(label->Caption()).Width);
    EXPECT_EQ(label->MarginTopLeft(), 0);
    EXPECT_EQ(label->MarginBottomRight(), 0);
}

TEST_F(LabelFXTest, LabelThatNeverMeasuresKeepsZeroMargins) {
    LoadGlobalInfo(0, 16777215, 0, 1, 1);
    TsLabelFX* label = Phrase();
    PaintOver(*label, Behind);
    EXPECT_EQ(label->MarginTopLeft(), 0);
    EXPECT_EQ(label->MarginBottomRight(), 0);
}

TEST_F(LabelFXTest, DisabledLabelIsEmbossedWithoutAGlow) {
    LoadGlobalInfo(0, 16777215, 0, 1, 1);
    TsLabelFX* label = Phrase();
    label->SetEnabled(false);
    TBitmap expected(label->Width(), label->Height());
    expected.Fill(Behind);
    const TRect r = label->ClientRect();
    DrawTextOn(expected, label->Caption(), r.Offset(1, 1), label->DrawTextFlags(), label->Font(),
               ColorToRGB(clBtnHighlight));
    DrawTextOn(expected, label->Caption(), r, label->DrawTextFlags(), label->Font(), ColorToRGB(clBtnShadow));
    EXPECT_EQ(DifferentPixels(PaintOver(*label, Behind), expected), 0);
}

TEST_F(LabelFXTest, NoShadowModeDrawsLikeAPlainSkinnedLabel) {
    LoadGlobalInfo(0x00FF00, 16777215, 0, 1, 1);
    TsLabelFX* label = Phrase();
    label->Shadow().SetMode(TsShadowMode::smNone);
    const TBitmap shown = PaintOver(*label, Behind);
    // The label took the skin's global text colour as its font colour.
    EXPECT_EQ(label->Font().Color(), 0x00FF00);
    TBitmap expected(label->Width(), label->Height());
    expected.Fill(Behind);
    DrawTextOn(expected, label->Caption(), label->ClientRect(), label->DrawTextFlags(), label->Font(),
               0x00FF00);
    EXPECT_EQ(DifferentPixels(shown, expected), 0);
}

TEST_F(LabelFXTest, TheGlowMaskOnlyGrows) {
    SetDefaultManager(nullptr);
    TsLabelFX* label = Phrase();
    PaintOver(*label, Behind);
    const std::size_t first = label->GlowMaskCapacity();
    EXPECT_EQ(first, 2u * std::size_t(label->Width() + 2) * std::size_t(label->Height() + 2));
    label->SetBounds(label->Left(), label->Top(), 20, 10);
    PaintOver(*label, Behind);
    EXPECT_EQ(label->GlowMaskCapacity(), first);
}

TEST_F(LabelFXTest, ManyPassesEndAtTheSameGlowAsTheRuleGives) {
    SetDefaultManager(nullptr);
    TsLabelFX* label = Phrase();
    label->SetBounds(label->Left(), label->Top(), 60, 24);
    label->Shadow().SetBlurCount(200);
    EXPECT_EQ(DifferentPixels(PaintOver(*label, Behind), ExpectedGlow(*label, 200, 1, 0, 0xFFFFFF)), 0);
}

TEST_F(LabelFXTest, ShadowAndKindChangesRepaintTheLabel) {
    form_->Show();
    Pump();
    TsLabelFX* label = Phrase();
    Pump();
    const int presents = int(Backend().PresentCount());
    label->Shadow().SetDistance(3);
    Pump();
    EXPECT_GT(int(Backend().PresentCount()), presents);
    const int after = int(Backend().PresentCount());
    label->Kind().SetColor(0x123456);
    Pump();
    EXPECT_GT(int(Backend().PresentCount()), after);
    const int unchanged = int(Backend().PresentCount());
    label->Kind().SetColor(0x123456);
    Pump();
    EXPECT_EQ(int(Backend().PresentCount()), unchanged);
}

} // namespace
