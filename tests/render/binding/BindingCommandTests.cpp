#include "BindingTestSupport.h"

#include "render/KindCodes.h"
#include "render/ParentColors.h"
#include "render/SkinCommandQueries.h"

namespace {

using BindingCommands = BindingTest;

// The colour behind a control as cmdGetBgColor computes it.
TColor AskBgColor(TControl* control) {
    SetParentFillColor(clFuchsia);
    SendSkinCommand(control, cmdGetBgColor);
    const TColor colour = ParentFillColor();
    ResetParentColors();
    return colour;
}

// One channel of the transparency mix: the percentage weighs out of 256.
int MixChannel(int transparency, int parent, int own) {
    return std::clamp((transparency * (parent - own) + own * 256) >> 8, 0, 255);
}

TEST_F(BindingCommands, BgColorWithTransparency50MixesOutOf256) {
    TsGeneralData& section = AddSection("BUTTON");
    section.Transparency = 50;
    section.Color = 0xFFFFFF;
    form_->SetColor(0x000000);
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    const int expected = MixChannel(50, 0, 255);
    ASSERT_EQ(expected, 205);
    EXPECT_EQ(AskBgColor(c), MakeColor(expected, expected, expected));
}

TEST_F(BindingCommands, BgColorMixesEachChannelWithTheParentsAnswer) {
    AddSection("PANEL");
    AddSection("BUTTON");
    TsGeneralData& panel = Section("PANEL");
    TsGeneralData& button = Section("BUTTON");
    panel.Color = MakeColor(10, 100, 200);
    button.Transparency = 30;
    button.Color = MakeColor(250, 0, 60);
    auto* parent = Add<TTestSkinned>(51, form_, {0, 0, 200, 100}, "PANEL");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, parent, {10, 10, 50, 30}, "BUTTON");
    EXPECT_EQ(AskBgColor(c),
              MakeColor(MixChannel(30, 10, 250), MixChannel(30, 100, 0), MixChannel(30, 200, 60)));
}

TEST_F(BindingCommands, BgColorOfAnOpaqueSectionIsItsColourOrTheCustomOne) {
    TsGeneralData& section = AddSection("BUTTON");
    section.Color = MakeColor(1, 2, 3);
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    EXPECT_EQ(AskBgColor(c), MakeColor(1, 2, 3));
    c->SetColor(MakeColor(7, 8, 9));
    c->Binding().SetCustomColor(true);
    EXPECT_EQ(AskBgColor(c), MakeColor(7, 8, 9));
}

TEST_F(BindingCommands, BgColorOfAWhollyTransparentSectionIsTheParents) {
    TsGeneralData& section = AddSection("BUTTON");
    section.Transparency = 100;
    form_->SetColor(MakeColor(40, 50, 60));
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    EXPECT_EQ(AskBgColor(c), MakeColor(40, 50, 60));
}

TEST_F(BindingCommands, BgColorOfAnUnskinnedControlIsItsOwnColour) {
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "NONE");
    c->SetColor(MakeColor(11, 22, 33));
    EXPECT_EQ(AskBgColor(c), MakeColor(11, 22, 33));
}

TEST_F(BindingCommands, BgIsPatternedWithoutSectionAnswersNothing) {
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "NONE");
    TMessage m = SkinCommandMessage::Make(cmdBgIsPatterned, 77);
    c->PerformMessage(m);
    EXPECT_EQ(m.Result, 0);
    EXPECT_EQ(m.LParam, 77);
}

TEST_F(BindingCommands, BgIsPatternedFollowsGradientAndImage) {
    TsGeneralData& section = AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    EXPECT_FALSE(AskControl(c, cmdBgIsPatterned));
    section.GradientPercent = 10;
    EXPECT_TRUE(AskControl(c, cmdBgIsPatterned));
    section.GradientPercent = 0;
    section.ImagePercent = 5;
    EXPECT_TRUE(AskControl(c, cmdBgIsPatterned));
}

TEST_F(BindingCommands, BgIsPatternedOfAWhollyTransparentSectionAsksTheParent) {
    AddSection("PANEL");
    AddSection("BUTTON");
    TsGeneralData& panel = Section("PANEL");
    TsGeneralData& button = Section("BUTTON");
    button.Transparency = 100;
    button.GradientPercent = 50; // not counted: nothing of it shows
    auto* parent = Add<TTestSkinned>(51, form_, {0, 0, 200, 100}, "PANEL");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, parent, {10, 10, 50, 30}, "BUTTON");
    EXPECT_FALSE(AskControl(c, cmdBgIsPatterned));
    panel.ImagePercent = 100;
    EXPECT_TRUE(AskControl(c, cmdBgIsPatterned));
}

TEST_F(BindingCommands, TransparentControlIsPatternedWhenItsParentIs) {
    AddSection("PANEL");
    AddSection("BUTTON");
    TsGeneralData& panel = Section("PANEL");
    TsGeneralData& button = Section("BUTTON");
    button.Transparency = 40;
    auto* parent = Add<TTestSkinned>(51, form_, {0, 0, 200, 100}, "PANEL");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, parent, {10, 10, 50, 30}, "BUTTON");
    EXPECT_FALSE(c->Binding().BgIsPatterned());
    panel.GradientPercent = 20;
    EXPECT_TRUE(c->Binding().BgIsPatterned());
    button.Transparency = 0;
    EXPECT_FALSE(c->Binding().BgIsPatterned());
}

TEST_F(BindingCommands, MouseEnterOnAGroupBoxLeavesMouseOverClear) {
    AddSection("GROUPBOX");
    auto* c = Add<TTestSkinned>(KindCode::GroupBox, form_, {10, 10, 50, 30}, "GROUPBOX");
    c->Perform(CM_MOUSEENTER);
    EXPECT_FALSE(c->Binding().MouseOver());
    EXPECT_FALSE(c->Binding().IsHot());
}

TEST_F(BindingCommands, MouseEnterMakesAButtonHotAndLeaveCools) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    c->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(c->Binding().MouseOver());
    EXPECT_TRUE(c->Binding().IsHot());
    EXPECT_EQ(manager_->HoverControl(), c);
    c->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(c->Binding().IsHot());
}

TEST_F(BindingCommands, DisabledControlIsNeverHot) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    c->Perform(CM_MOUSEENTER);
    c->SetEnabled(false);
    c->Binding().SetMouseOver(true);
    EXPECT_FALSE(c->Binding().IsHot());
}

TEST_F(BindingCommands, EnabledChangeForgetsFocusAndHover) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    c->Binding().SetHasFocus(true);
    c->Binding().SetMouseOver(true);
    c->SetEnabled(false);
    EXPECT_FALSE(c->Binding().HasFocus());
    EXPECT_FALSE(c->Binding().MouseOver());
}

TEST_F(BindingCommands, EnteringAContainerTellsItsHoveredSpeedButtonToLeave) {
    AddSection("PANEL");
    AddSection("SPEEDBUTTON");
    auto* panel = Add<TTestSkinned>(51, form_, {0, 0, 200, 100}, "PANEL");
    auto* speed = Add<TTestSkinnedGraphic>(KindCode::SpeedButton, panel, {10, 10, 20, 20}, "SPEEDBUTTON");
    speed->Perform(CM_MOUSEENTER);
    ASSERT_TRUE(speed->Binding().MouseOver());
    panel->Perform(CM_MOUSEENTER);
    EXPECT_FALSE(speed->Binding().MouseOver());
}

TEST_F(BindingCommands, FocusMarksTheFaceStale) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    c->SetTabStop(true);
    c->Binding().SetFaceStale(false);
    c->SetFocus();
    Pump();
    EXPECT_TRUE(c->Binding().HasFocus());
    EXPECT_TRUE(c->Binding().FaceStale());
    EXPECT_TRUE(c->Binding().IsHot());
}

TEST_F(BindingCommands, SizeOfAGradientParentReMarksOnlyUnanchoredChildren) {
    AddSection("PANEL");
    AddSection("BUTTON");
    Section("PANEL").GradientPercent = 30;
    Section("BUTTON").Transparency = 50;
    auto* parent = Add<TTestSkinned>(51, form_, {0, 0, 200, 100}, "PANEL");
    auto* free = Add<TTestSkinned>(KindCode::PushButton, parent, {10, 10, 50, 30}, "BUTTON");
    // Anchored to the bottom only: a change of width leaves it where it is.
    auto* bottom = Add<TTestSkinned>(KindCode::PushButton, parent, {100, 10, 150, 40}, "BUTTON");
    bottom->SetAnchors({TAnchorKind::akLeft, TAnchorKind::akBottom});
    free->Commands.clear();
    bottom->Commands.clear();
    free->Binding().SetFaceStale(false);
    bottom->Binding().SetFaceStale(false);
    parent->SetBounds(0, 0, 260, 100);
    EXPECT_EQ(std::count(free->Commands.begin(), free->Commands.end(), cmdParentBgChanged), 1);
    EXPECT_TRUE(free->Binding().FaceStale());
    EXPECT_EQ(std::count(bottom->Commands.begin(), bottom->Commands.end(), cmdParentBgChanged), 0);
    EXPECT_FALSE(bottom->Binding().FaceStale());
}

TEST_F(BindingCommands, HiddenControlDropsItsFace) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    c->Binding().PrepareFace();
    c->Hide();
    EXPECT_TRUE(c->Binding().FaceBitmap()->IsEmpty());
    c->Binding().SetFaceStale(false);
    c->Show();
    EXPECT_TRUE(c->Binding().FaceStale());
}

TEST_F(BindingCommands, UpdateUiStateIsSwallowedOnlyWhenSkinned) {
    AddSection("BUTTON");
    auto* c = Add<TTestSkinned>(KindCode::PushButton, form_, {10, 10, 50, 30}, "BUTTON");
    TMessage m{WM_UPDATEUISTATE, 0, 0, 0};
    EXPECT_TRUE(c->Binding().HandleMessage(m));
    c->Binding().SetSkinSection("NONE");
    EXPECT_FALSE(c->Binding().HandleMessage(m));
}

TEST_F(BindingCommands, AnimatedChildIsSetAndCleared) {
    AddSection("PANEL");
    auto* panel = Add<TTestSkinned>(51, form_, {0, 0, 200, 100}, "PANEL");
    auto* speed = Add<TTestSkinnedGraphic>(KindCode::SpeedButton, panel, {10, 10, 20, 20}, "");
    SendSkinCommand(panel, cmdSetAnimatedChild, LParamFromPointer<TControl>(speed));
    EXPECT_EQ(panel->Binding().AnimatedChild(), speed);
    SendSkinCommand(panel, cmdSetAnimatedChild, 0);
    EXPECT_EQ(panel->Binding().AnimatedChild(), nullptr);
}

} // namespace
