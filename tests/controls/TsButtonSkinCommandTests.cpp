#include "ButtonTestSupport.h"

#include "platform/toolkit/SkinCommandMessage.h"
#include "render/TsFade.h"
#include "skin/SkinCommands.h"

using namespace buttontest;

namespace {

TLResult Send(TsButton& b, std::uint16_t code, TLParam object = 0) {
    TMessage m = SkinCommandMessage::Make(code, object);
    b.PerformMessage(m);
    return m.Result;
}

class ButtonSkinCommandTest : public ButtonTest {
protected:
    ButtonSkinCommandTest() {
        Section().FadingEnabled = true;
        Section().FadingIterations = 20;
    }
    void StartHoverFade() {
        Hover(*button_);
        ASSERT_NE(button_->FadeTimer(), nullptr);
    }
    TLParam Manager() { return LParamFromPointer(manager_.get()); }
};

TEST_F(ButtonSkinCommandTest, AnswersThatItIsSkinAwareEvenWithoutASkin) {
    EXPECT_EQ(Send(*button_, cmdIsSkinAware), 1);
    button_->SkinData().SetSkinSection("NOSUCHSECTION");
    EXPECT_EQ(Send(*button_, cmdIsSkinAware), 1);
}

TEST_F(ButtonSkinCommandTest, StopAnimationEndsTheFadeAndKeepsTheLastFrame) {
    StartHoverFade();
    Wait(50);
    const TColor shown = ShownEdge(*button_);
    Send(*button_, cmdStopAnimation);
    EXPECT_EQ(button_->FadeTimer(), nullptr);
    Wait(50);
    EXPECT_EQ(ShownEdge(*button_), shown);
}

TEST_F(ButtonSkinCommandTest, SkinLoadedStopsTheFadeAndHoldsPainting) {
    StartHoverFade();
    Send(*button_, cmdSkinLoaded, Manager());
    EXPECT_EQ(button_->FadeTimer(), nullptr);
    EXPECT_TRUE(button_->SkinData().InUpdate());
    Send(*button_, cmdSkinApplied, Manager());
    EXPECT_FALSE(button_->SkinData().InUpdate());
    EXPECT_EQ(ShownEdge(*button_), StateColours[1]) << "applied: repainted at once in its state";
}

TEST_F(ButtonSkinCommandTest, CommandsOfAnotherManagerAreIgnored) {
    TsSkinManager other(nullptr);
    StartHoverFade();
    Send(*button_, cmdSkinLoaded, LParamFromPointer(&other));
    EXPECT_NE(button_->FadeTimer(), nullptr);
    EXPECT_FALSE(button_->SkinData().InUpdate());
}

TEST_F(ButtonSkinCommandTest, RebuildFaceMakesTheFaceForTheCurrentState) {
    button_->SetDown(true);
    Send(*button_, cmdRebuildFace);
    EXPECT_EQ(button_->SkinData().FaceBitmap()->GetPixel(button_->Width() / 2, 1), StateColours[2]);
    EXPECT_FALSE(button_->SkinData().FaceStale());
    EXPECT_TRUE(button_->HeldRegion().has_value());
    Send(*button_, cmdReleaseRegion);
    EXPECT_FALSE(button_->HeldRegion().has_value());
}

TEST_F(ButtonSkinCommandTest, UpdateDoneRepaintsAButtonThatWasHeldBack) {
    button_->SkinData().SetInUpdate(true);
    button_->SetDown(true);
    Application->ComposeAll();
    EXPECT_EQ(ShownEdge(*button_), StateColours[0]) << "held back";
    Send(*button_, cmdUpdateDone);
    EXPECT_FALSE(button_->SkinData().InUpdate());
    EXPECT_EQ(ShownEdge(*button_), StateColours[2]);
}

TEST_F(ButtonSkinCommandTest, MovingATransparentButtonRepaintsItOverTheNewBackground) {
    Section().Transparency = 50;
    button_->SkinData().Invalidate();
    Application->ComposeAll();
    const int presentsBefore = int(Backend().PresentCount());
    button_->SetLeft(button_->Left() + 7);
    EXPECT_FALSE(button_->SkinData().FaceStale()) << "rebuilt at once";
    EXPECT_GT(int(Backend().PresentCount()), presentsBefore);
}

} // namespace
