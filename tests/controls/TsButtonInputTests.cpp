#include "ButtonTestSupport.h"

#include "render/FadeWeight.h"
#include "render/TsFade.h"

using namespace buttontest;

namespace {

class ButtonInputTest : public ButtonTest {
protected:
    ButtonInputTest() {
        Section().FadingEnabled = true;
        Section().FadingIterations = 20;
        button_->OnClick = [this](TObject*) { ++clicks_; };
    }
    int clicks_ = 0;
};

TEST_F(ButtonInputTest, HoverFadesInTwentyFramesOnTheVirtualClock) {
    ASSERT_EQ(ShownEdge(*button_), StateColours[0]);
    Hover(*button_);
    ASSERT_NE(button_->FadeTimer(), nullptr);
    EXPECT_EQ(ShownEdge(*button_), StateColours[0]) << "the old face stays until the first tick";
    for (int level = 1; level <= 20; ++level) {
        Wait(10);
        const int w = std::clamp(255 - (256 * level) / 20, 0, 255);
        EXPECT_EQ(ShownEdge(*button_), FrameColour(StateColours[0], StateColours[1], w)) << "frame " << level;
    }
    Wait(10);
    EXPECT_EQ(button_->FadeTimer(), nullptr) << "the tick after the last frame ends the fade";
    EXPECT_EQ(button_->FaceState(), bfsHot);
}

TEST_F(ButtonInputTest, LeavingFadesBackToNormal) {
    Hover(*button_);
    Wait(300);
    Move(5, 5);
    ASSERT_NE(button_->FadeTimer(), nullptr);
    Wait(200);
    EXPECT_EQ(ShownEdge(*button_), FrameColour(StateColours[1], StateColours[0], 0));
    EXPECT_EQ(button_->FaceState(), bfsNormal);
}

TEST_F(ButtonInputTest, QuickClickShowsThePressedFaceForThirtyMilliseconds) {
    Hover(*button_);
    Wait(300);
    std::vector<std::pair<unsigned, TColor>> sleeps;
    Backend().SetSleepObserver([&](unsigned ms) {
        const TRect r = button_->SurfaceRect();
        const TBitmap& shown = Backend().Screen().Find(form_->NativeWindow())->Picture();
        sleeps.emplace_back(ms, shown.GetPixel(r.Left + button_->Width() / 2, r.Top + 1));
    });
    const TPoint p = ScreenCentre(*button_);
    const std::uint64_t before = Backend().NowMs();
    Press(p.X, p.Y);
    ASSERT_NE(button_->FadeTimer(), nullptr) << "the press fades";
    Release(p.X, p.Y);
    ASSERT_EQ(sleeps.size(), 1u);
    EXPECT_EQ(sleeps[0].first, 30u);
    EXPECT_EQ(sleeps[0].second, StateColours[2]) << "presented pressed while it waits";
    EXPECT_EQ(Backend().NowMs(), before + 30) << "the wait runs on the backend's clock";
    EXPECT_EQ(clicks_, 1);
    // The press fade reached level 2 (its first frame came with the focus); halved, the release
    // fade has one frame left, which shows the hot face.
    ASSERT_NE(button_->FadeTimer(), nullptr);
    EXPECT_EQ(button_->FadeTimer()->StepCount(), 1);
    Wait(20);
    EXPECT_EQ(button_->FadeTimer(), nullptr);
    EXPECT_EQ(ShownEdge(*button_), FrameColour(StateColours[2], StateColours[1], 0));
}

TEST_F(ButtonInputTest, QuickClickShowsOnlyItsOwnButtonPressed) {
    TsButton* neighbour = AddButton(TRect::FromBounds(20, 150, 190, 40), "Кнопка");
    Hover(*button_);
    Wait(300);
    TColor neighbourWhileWaiting = 0;
    Backend().SetSleepObserver([&](unsigned) { neighbourWhileWaiting = ShownEdge(*neighbour); });
    const TPoint p = ScreenCentre(*button_);
    Press(p.X, p.Y);
    // The neighbour has a paint pending when the quick click repaints the form.
    neighbour->Invalidate();
    Release(p.X, p.Y);
    EXPECT_EQ(neighbourWhileWaiting, StateColours[0]);
    EXPECT_EQ(ShownEdge(*neighbour), StateColours[0]);
}

TEST_F(ButtonInputTest, PressFadesInHalfTheStepsToThePressedFace) {
    Hover(*button_);
    Wait(300);
    const TPoint p = ScreenCentre(*button_);
    Press(p.X, p.Y);
    ASSERT_NE(button_->FadeTimer(), nullptr);
    EXPECT_EQ(button_->FadeTimer()->StepCount(), 10);
    Wait(100);
    EXPECT_EQ(ShownEdge(*button_), FrameColour(StateColours[1], StateColours[2], 0));
    EXPECT_EQ(button_->FaceState(), bfsPressed);
    Wait(10);
    Release(p.X, p.Y);
    EXPECT_EQ(clicks_, 1);
    Wait(200);
    EXPECT_EQ(button_->FaceState(), bfsHot);
    EXPECT_EQ(ShownEdge(*button_), FrameColour(StateColours[2], StateColours[1], 0));
}

TEST_F(ButtonInputTest, DoubleClickGivesTwoClicks) {
    ClickControl(*button_);
    ClickControl(*button_);
    EXPECT_EQ(clicks_, 2);
}

TEST_F(ButtonInputTest, DraggedOffGivesNoClickAndShowsHotOrNormal) {
    Section().FadingEnabled = false;
    const TPoint p = ScreenCentre(*button_);
    Press(p.X, p.Y);
    EXPECT_EQ(ShownEdge(*button_), StateColours[2]);
    Move(5, 5);
    EXPECT_NE(button_->FaceState(), bfsPressed);
    EXPECT_EQ(ShownEdge(*button_), StateColours[button_->FaceState()]);
    Move(p.X, p.Y);
    EXPECT_EQ(button_->FaceState(), bfsPressed);
    Move(5, 5);
    Release(5, 5);
    EXPECT_EQ(clicks_, 0);
}

TEST_F(ButtonInputTest, DownShowsPressedAndAPressStartsNoFade) {
    button_->SetDown(true);
    Pump();
    EXPECT_EQ(ShownEdge(*button_), StateColours[2]);
    const TPoint p = ScreenCentre(*button_);
    Move(p.X, p.Y);
    Wait(300);
    ASSERT_EQ(button_->FadeTimer(), nullptr);
    Press(p.X, p.Y);
    EXPECT_EQ(button_->FadeTimer(), nullptr);
    Release(p.X, p.Y);
    EXPECT_EQ(clicks_, 1);
}

TEST_F(ButtonInputTest, OnlyTheChosenEventsFade) {
    button_->SetAnimatEvents({TAnimatEvent::aeMouseDown});
    Hover(*button_);
    EXPECT_EQ(button_->FadeTimer(), nullptr);
    EXPECT_EQ(ShownEdge(*button_), StateColours[1]) << "without a fade the new face shows at once";
    const TPoint p = ScreenCentre(*button_);
    Press(p.X, p.Y);
    EXPECT_NE(button_->FadeTimer(), nullptr);
}

TEST_F(ButtonInputTest, FadeWithoutFramesRepaintsAtOnce) {
    Section().FadingIterations = 1; // a halved press has no frame to draw
    Hover(*button_);
    Wait(30);
    EXPECT_EQ(ShownEdge(*button_), FrameColour(StateColours[0], StateColours[1], 0));
    const TPoint p = ScreenCentre(*button_);
    Press(p.X, p.Y);
    EXPECT_EQ(button_->FadeTimer(), nullptr);
    EXPECT_EQ(ShownEdge(*button_), StateColours[2]);
}

TEST_F(ButtonInputTest, HintsAreOffFromPressToRelease) {
    const TPoint p = ScreenCentre(*button_);
    ASSERT_TRUE(Application->ShowHint());
    Press(p.X, p.Y);
    EXPECT_FALSE(Application->ShowHint());
    Release(p.X, p.Y);
    EXPECT_TRUE(Application->ShowHint());
}

TEST_F(ButtonInputTest, AButtonFreedMidPressGivesTheHintsBack) {
    TsButton* neighbour = AddButton(TRect::FromBounds(20, 150, 190, 40), "Кнопка");
    const TPoint p = ScreenCentre(*button_);
    Press(p.X, p.Y);
    delete neighbour;
    EXPECT_FALSE(Application->ShowHint()) << "only the pressed button's end gives them back";
    delete button_;
    button_ = nullptr;
    EXPECT_TRUE(Application->ShowHint());
}

TEST_F(ButtonInputTest, TheHintSettingIsSavedOnceForOverlappingPresses) {
    TsButton* neighbour = AddButton(TRect::FromBounds(20, 150, 190, 40), "Кнопка");
    Application->SetShowHint(false);
    const TPoint p = ScreenCentre(*button_);
    Press(p.X, p.Y);
    Release(p.X, p.Y);
    EXPECT_FALSE(Application->ShowHint()) << "a press gives back the setting it found";
    Application->SetShowHint(true);
    Press(p.X, p.Y);
    const TPoint q = ScreenCentre(*neighbour);
    Press(q.X, q.Y);
    Release(q.X, q.Y);
    EXPECT_TRUE(Application->ShowHint()) << "the second press did not save \"off\"";
}

TEST_F(ButtonInputTest, SpaceShowsPressedAndClicks) {
    Section().FadingEnabled = false;
    button_->SetFocus();
    Pump();
    KeyDown(VK_SPACE);
    EXPECT_EQ(ShownEdge(*button_), StateColours[2]);
    KeyUp(VK_SPACE);
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(ShownEdge(*button_), StateColours[1]);
}

} // namespace
