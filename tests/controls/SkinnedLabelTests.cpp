#include "LabelTestSupport.h"

#include "controls/LabelPaintGuard.h"
#include "controls/TsLabel.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TFormDesign.h"
#include "render/Blend.h"
#include "render/SkinCommandQueries.h"
#include "skin/SkinCommands.h"

using namespace labeltest;

namespace {

constexpr TColor Behind = 0x80A0C0;

class SkinnedLabelTest : public LabelTest {
protected:
    TsLabel* Plain() {
        auto* label = AddLabel<TsLabel>({10, 10, 110, 34}, "Label");
        label->ChangeFont([](TFont& f) {
            f.SetHeight(-16);
            f.SetColor(0x102030);
        });
        return label;
    }
    void SendSkinRemoved(TControl& label, TsSkinManager* manager) {
        TMessage m = SkinCommandMessage::Make(cmdSkinRemoved, LParamFromPointer(manager));
        label.PerformMessage(m);
    }
};

TEST_F(SkinnedLabelTest, StartsTransparent) {
    TsLabel label(nullptr);
    EXPECT_TRUE(label.Transparent());
    EXPECT_TRUE(label.UseSkinColor());
    EXPECT_TRUE(label.SkinSection().empty());
}

TEST_F(SkinnedLabelTest, PaintTakesTheSkinsGlobalTextColour) {
    LoadGlobalInfo(0x00C0FF, -1, 0, -1, 0);
    TsLabel* label = Plain();
    const TBitmap shown = PaintOver(*label, Behind);
    EXPECT_EQ(label->Font().Color(), 0x00C0FF);
    EXPECT_FALSE(LabelPaintGuard());
    TBitmap expected(label->Width(), label->Height());
    expected.Fill(Behind);
    DrawTextOn(expected, "Label", label->ClientRect(), label->DrawTextFlags(), label->Font(), 0x00C0FF);
    EXPECT_EQ(DifferentPixels(shown, expected), 0);
}

TEST_F(SkinnedLabelTest, WithoutALoadedSkinTheFontKeepsItsColour) {
    LoadGlobalInfo(0x00C0FF, -1, 0, -1, 0);
    manager_->Model().SkinData.Ready = false;
    TsLabel* label = Plain();
    PaintOver(*label, Behind);
    EXPECT_EQ(label->Font().Color(), 0x102030);
}

TEST_F(SkinnedLabelTest, UseSkinColorOffKeepsTheFontColour) {
    LoadGlobalInfo(0x00C0FF, -1, 0, -1, 0);
    TsLabel* label = Plain();
    label->SetUseSkinColor(false);
    PaintOver(*label, Behind);
    EXPECT_EQ(label->Font().Color(), 0x102030);
    SendSkinRemoved(*label, manager_.get());
    EXPECT_EQ(label->Font().Color(), 0x102030);
}

TEST_F(SkinnedLabelTest, SkinRemovedByTheDefaultManagerGivesTheWindowTextColour) {
    TsLabel* label = Plain();
    SendSkinRemoved(*label, manager_.get());
    EXPECT_EQ(label->Font().Color(), clWindowText);
}

TEST_F(SkinnedLabelTest, SkinRemovedByAnotherManagerIsIgnored) {
    TsLabel* label = Plain();
    TsSkinManager other(nullptr);
    SetDefaultManager(manager_.get());
    SendSkinRemoved(*label, &other);
    EXPECT_EQ(label->Font().Color(), 0x102030);
}

TEST_F(SkinnedLabelTest, CustomLabelFollowsTheRemovalToo) {
    auto* label = AddLabel<TsCustomLabel>({0, 0, 50, 20}, "x");
    label->ChangeFont([](TFont& f) { f.SetColor(0x102030); });
    SendSkinRemoved(*label, manager_.get());
    EXPECT_EQ(label->Font().Color(), clWindowText);
}

// A form that has finished its creation, so that the manager's announcements reach it.
class TCreatedForm : public TForm {
public:
    TCreatedForm() : TForm(Application) { LoadDesign(TFormDesign{}); }
};

TEST_F(SkinnedLabelTest, TheManagersDeactivationReachesTheLabel) {
    LoadGlobalInfo(0x00C0FF, -1, 0, -1, 0);
    auto form = std::make_unique<TCreatedForm>();
    auto* label = new TsLabel(form.get());
    label->SetParent(form.get());
    label->SetFont(form->Font());
    PaintOver(*label, Behind);
    EXPECT_EQ(label->Font().Color(), 0x00C0FF);
    manager_->SetActive(false);
    EXPECT_EQ(label->Font().Color(), clWindowText);
}

TEST_F(SkinnedLabelTest, SkinSectionPaintsBehindTheTextInItsColours) {
    LoadGlobalInfo(0x00C0FF, -1, 0, -1, 0);
    AddSection("PANEL", 0x336699, 0x00FF00);
    TsLabel* label = Plain();
    label->SetSkinSection("PANEL");
    const TBitmap shown = PaintOver(*label, Behind);
    EXPECT_EQ(label->Font().Color(), 0x00FF00);
    TBitmap expected(label->Width(), label->Height());
    expected.Fill(0x336699);
    DrawTextOn(expected, "Label", label->ClientRect(), label->DrawTextFlags(), label->Font(), 0x00FF00);
    EXPECT_EQ(DifferentPixels(shown, expected), 0);
}

TEST_F(SkinnedLabelTest, TheFirstSectionIsNeverPaintedBehindALabel) {
    LoadGlobalInfo(0x00C0FF, -1, 0, -1, 0); // GLOBALINFO is section 0
    TsLabel* label = Plain();
    label->SetSkinSection("GLOBALINFO");
    const TBitmap shown = PaintOver(*label, Behind);
    EXPECT_EQ(shown.GetPixel(label->Width() - 1, label->Height() - 1), Behind);
}

TEST_F(SkinnedLabelTest, InactiveManagerPaintsNoSection) {
    LoadGlobalInfo(0x00C0FF, -1, 0, -1, 0);
    AddSection("PANEL", 0x336699, 0x00FF00);
    manager_->SetActive(false);
    manager_->Model().SkinData.Ready = true;
    AddSection("PANEL", 0x336699, 0x00FF00);
    TsLabel* label = Plain();
    label->SetSkinSection("PANEL");
    const TBitmap shown = PaintOver(*label, Behind);
    EXPECT_EQ(shown.GetPixel(label->Width() - 1, label->Height() - 1), Behind);
}

TEST_F(SkinnedLabelTest, DisabledTextMixesTheFontWithTheColourBehind) {
    LoadGlobalInfo(0x00C0FF, -1, 0, -1, 0);
    TsLabel* label = Plain();
    label->SetUseSkinColor(false);
    label->SetEnabled(false);
    const TBitmap shown = PaintOver(*label, Behind);
    // The form answers no colour query, so its own colour stands behind the label.
    const TColor mixed = MixColors(0x102030, ColorToRGB(form_->Color()), 0.4);
    TBitmap expected(label->Width(), label->Height());
    expected.Fill(Behind);
    DrawTextOn(expected, "Label", label->ClientRect(), label->DrawTextFlags(), label->Font(), mixed);
    EXPECT_EQ(DifferentPixels(shown, expected), 0);
}

TEST_F(SkinnedLabelTest, DisabledTextWithoutASkinIsEmbossed) {
    SetDefaultManager(nullptr);
    TsLabel* label = Plain();
    label->SetEnabled(false);
    const TBitmap shown = PaintOver(*label, Behind);
    TBitmap expected(label->Width(), label->Height());
    expected.Fill(Behind);
    const TRect r = label->ClientRect();
    DrawTextOn(expected, "Label", r.Offset(1, 1), label->DrawTextFlags(), label->Font(),
               ColorToRGB(clBtnHighlight));
    DrawTextOn(expected, "Label", r, label->DrawTextFlags(), label->Font(), ColorToRGB(clBtnShadow));
    EXPECT_EQ(DifferentPixels(shown, expected), 0);
}

TEST_F(SkinnedLabelTest, FontChangeOutsidePaintingResizesAnAutoSizedLabel) {
    TsLabel* label = Plain();
    label->SetAutoSize(true);
    const int width = label->Width();
    label->ChangeFont([](TFont& f) { f.SetHeight(-32); });
    EXPECT_GT(label->Width(), width);
}

TEST_F(SkinnedLabelTest, FontChangeWhilePaintingIsIgnored) {
    TsLabel* label = Plain();
    label->SetAutoSize(true);
    const int width = label->Width();
    SetLabelPaintGuard(true);
    label->ChangeFont([](TFont& f) { f.SetHeight(-32); });
    SetLabelPaintGuard(false);
    EXPECT_EQ(label->Width(), width);
}

TEST_F(SkinnedLabelTest, SkinSectionChangeRepaintsOnlyWhenItDiffers) {
    form_->Show();
    Pump();
    TsLabel* label = Plain();
    Pump();
    int presents = int(Backend().PresentCount());
    label->SetSkinSection("panel");
    EXPECT_GT(int(Backend().PresentCount()), presents);
    presents = int(Backend().PresentCount());
    label->SetSkinSection("panel");
    EXPECT_EQ(int(Backend().PresentCount()), presents);
    label->SetSkinSection("PANEL"); // letter case counts
    EXPECT_GT(int(Backend().PresentCount()), presents);
}

TEST_F(SkinnedLabelTest, MouseEnterAndLeaveReachTheirEvents) {
    TsLabel* label = Plain();
    std::vector<std::string> events;
    label->OnMouseEnter = [&](TObject*) { events.push_back("enter"); };
    label->OnMouseLeave = [&](TObject*) { events.push_back("leave"); };
    label->Perform(CM_MOUSEENTER);
    label->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
}

} // namespace
