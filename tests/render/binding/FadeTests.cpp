#include "BindingTestSupport.h"

#include <cstdint>
#include <optional>

#include "render/Fade.h"
#include "render/FadeWeight.h"
#include "render/KindCodes.h"
#include "render/TsFade.h"

namespace {

// A push button as the fade sees it: its face is one flat colour per look; a rebuild paints
// the next look; it stops the fade on cmdStopAnimation and lets the timer draw each frame
// into the window, recording the frame's first byte.
class FadeTest : public BindingTest {
protected:
    void SetUp() override {
        AddSection("BUTTON");
        Section("BUTTON").FadingEnabled = true;
        Section("BUTTON").FadingIterations = 20;
        button_ = Add<TTestSkinned>(KindCode::PushButton, form_, {20, 20, 190, 60}, "BUTTON");
        button_->OnSkinCommand = [this](TMessage& m) {
            switch (SkinCommandMessage::Code(m)) {
            case cmdRebuildFace:
                Paint(nextLook_);
                break;
            case cmdStopAnimation:
                StopFade(slot_);
                ++stops_;
                break;
            case cmdReleaseRegion:
                frames_.push_back(SkinCommandMessage::ObjectAs<TBitmap>(m)->ScanLine(0)[0]);
                break;
            default:
                break;
            }
        };
        Paint(oldLook_);
    }

    void Paint(std::uint8_t look) {
        TsCommonData& binding = button_->Binding();
        binding.PrepareFace();
        binding.FaceBitmap()->Fill(MakeColor(look, look, look));
        binding.SetFaceStale(false);
    }

    // The frame byte that the blend rule gives for an old-face weight.
    static int FrameByte(int oldLook, int newLook, int weight) {
        return (oldLook * weight + newLook * (255 - weight) + 127) >> 8;
    }

    std::vector<int> ExpectedFrames(int oldLook, int newLook, const std::vector<int>& weights) {
        std::vector<int> out;
        for (int w : weights)
            out.push_back(FrameByte(oldLook, newLook, w));
        return out;
    }

    TTestSkinned* button_ = nullptr;
    std::unique_ptr<TsFade> slot_;
    std::uint8_t oldLook_ = 200;
    std::uint8_t nextLook_ = 40;
    std::vector<int> frames_;
    int stops_ = 0;
};

TEST_F(FadeTest, WeightsFollowTheLevelRule) {
    EXPECT_EQ(FadeWeight(1, 20), 243);
    EXPECT_EQ(FadeWeight(4, 20), 204);
    EXPECT_EQ(FadeWeight(19, 20), 12);
    EXPECT_EQ(FadeWeight(20, 20), 0);
    EXPECT_EQ(FadeWeight(21, 20), 0);
    EXPECT_EQ(FadeWeight(0, 20), 255);
}

TEST_F(FadeTest, TwentyStepsDrawOneFramePerTenMilliseconds) {
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    ASSERT_NE(slot_, nullptr);
    EXPECT_TRUE(frames_.empty());
    std::vector<int> weights;
    for (int level = 1; level <= 20; ++level) {
        Wait(10);
        ASSERT_EQ(frames_.size(), std::size_t(level)) << "one frame per wait 10";
        weights.push_back(std::clamp(255 - (256 * level) / 20, 0, 255));
    }
    EXPECT_EQ(weights.front(), 243);
    EXPECT_EQ(weights.back(), 0);
    EXPECT_EQ(frames_, ExpectedFrames(oldLook_, nextLook_, weights));
    EXPECT_EQ(stops_, 0);
    Wait(10);
    EXPECT_EQ(stops_, 1);
    EXPECT_EQ(slot_, nullptr);
    EXPECT_EQ(frames_.size(), 20u);
}

TEST_F(FadeTest, FramesReachTheWindow) {
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    Wait(10);
    ASSERT_EQ(frames_.size(), 1u);
    const TRect r = button_->SurfaceRect();
    EXPECT_EQ(form_->Surface().GetPixel(r.Left + 5, r.Top + 5),
              MakeColor(frames_[0], frames_[0], frames_[0]));
}

TEST_F(FadeTest, AFramePresentsOnlyWhatOfTheButtonShows) {
    RunUntil(Backend().NowMs());
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    const std::uint64_t before = Backend().PresentCount();
    Wait(10);
    ASSERT_EQ(frames_.size(), 1u);
    EXPECT_EQ(Backend().PresentCount(), before + 1);
    EXPECT_TRUE(Backend().LastDamage().SameArea(button_->VisibleWindowRegion()));
}

TEST_F(FadeTest, PressFadesInHalfTheSteps) {
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Halved, true);
    Wait(100);
    const std::vector<int> weights = {230, 204, 179, 153, 127, 102, 76, 51, 25, 0};
    EXPECT_EQ(frames_, ExpectedFrames(oldLook_, nextLook_, weights));
    Wait(10);
    EXPECT_EQ(slot_, nullptr);
}

TEST_F(FadeTest, InterruptedFadeReusesItsTimerWithTheReachedLevel) {
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    Wait(50); // levels 1 to 5 drawn; the next is 6
    ASSERT_EQ(frames_.size(), 5u);
    TsFade* first = slot_.get();
    frames_.clear();
    const std::uint8_t target = nextLook_;
    nextLook_ = 120;
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    EXPECT_EQ(slot_.get(), first);
    EXPECT_EQ(slot_->StepCount(), 6);
    EXPECT_EQ(slot_->FadeLevel(), 1);
    Wait(60);
    std::vector<int> weights;
    for (int level = 1; level <= 6; ++level)
        weights.push_back(std::clamp(255 - (256 * level) / 6, 0, 255));
    // The old face of the new fade is the target of the interrupted one.
    EXPECT_EQ(frames_, ExpectedFrames(target, nextLook_, weights));
    Wait(10);
    EXPECT_EQ(slot_, nullptr);
}

TEST_F(FadeTest, ZeroStepsRepaintAtOnce) {
    Section("BUTTON").FadingIterations = 1;
    const int paints = button_->Paints;
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Halved, true);
    EXPECT_EQ(slot_, nullptr);
    EXPECT_GT(button_->Paints, paints);
    Wait(30);
    EXPECT_TRUE(frames_.empty());
}

TEST_F(FadeTest, AHugeStepCountStillShowsTheNewFaceWithinHalfASecond) {
    Section("BUTTON").FadingIterations = INT32_MAX;
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    ASSERT_NE(slot_, nullptr);
    Wait(500);
    ASSERT_FALSE(frames_.empty());
    EXPECT_LE(frames_.size(), 50u);
    EXPECT_EQ(frames_.back(), FrameByte(oldLook_, nextLook_, 0));
    const TRect r = button_->SurfaceRect();
    const int shown = FrameByte(oldLook_, nextLook_, 0);
    EXPECT_EQ(form_->Surface().GetPixel(r.Left + 5, r.Top + 5) & 0xFFFFFF, MakeColor(shown, shown, shown));
    Wait(10);
    EXPECT_EQ(slot_, nullptr);
}

TEST_F(FadeTest, ACountBelowOneFadesInOneStep) {
    for (const std::int32_t count : {0, -5, INT32_MIN}) {
        Section("BUTTON").FadingIterations = count;
        frames_.clear();
        Paint(oldLook_);
        FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
        ASSERT_NE(slot_, nullptr) << count;
        Wait(20);
        EXPECT_EQ(frames_, std::vector<int>{FrameByte(oldLook_, nextLook_, 0)}) << count;
        EXPECT_EQ(slot_, nullptr) << count;
    }
}

TEST_F(FadeTest, WithoutFadingEveryChangeRepaintsAtOnce) {
    Section("BUTTON").FadingEnabled = false;
    const int paints = button_->Paints;
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    EXPECT_EQ(slot_, nullptr);
    EXPECT_GT(button_->Paints, paints);
    EXPECT_TRUE(button_->Binding().FaceStale());
}

TEST_F(FadeTest, StaleFaceDoesNotFade) {
    button_->Binding().SetFaceStale(true);
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    EXPECT_EQ(slot_, nullptr);
}

TEST_F(FadeTest, DisabledButtonStopsFading) {
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    Wait(30);
    ASSERT_EQ(frames_.size(), 3u);
    button_->SetEnabled(false);
    Wait(50);
    EXPECT_EQ(frames_.size(), 3u);
    ASSERT_NE(slot_, nullptr);
    EXPECT_EQ(slot_->StepCount(), 0);
    EXPECT_TRUE(button_->Binding().FaceStale());
}

TEST_F(FadeTest, AStaleFaceFadesOnlyWhenTheControlAlwaysShowsItsFace) {
    button_->Binding().SetFaceStale(true);
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    EXPECT_EQ(slot_, nullptr) << "a stale face is not what the screen shows";
    button_->Binding().SetFaceStale(true);
    TFadeOptions options;
    options.FaceAlwaysShown = true;
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true, options);
    EXPECT_NE(slot_, nullptr);
}

TEST_F(FadeTest, TheRebuildCarriesTheStateOfAChangeOnItsWay) {
    std::vector<std::optional<int>> asked;
    auto paint = button_->OnSkinCommand;
    button_->OnSkinCommand = [&](TMessage& m) {
        if (SkinCommandMessage::Code(m) == cmdRebuildFace) asked.push_back(RebuildFaceState(m));
        paint(m);
    };
    for (int state : {0, 2}) {
        TFadeOptions options;
        options.NewState = state;
        FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true, options);
        StopFade(slot_);
        Paint(oldLook_);
    }
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    EXPECT_EQ(asked, (std::vector<std::optional<int>>{0, 2, std::nullopt}));
}

TEST_F(FadeTest, ChangeDuringASkinLoadRepaintsAtOnce) {
    SetLoadingSkin(true);
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::Window, FadeSpeed::Full, true);
    SetLoadingSkin(false);
    EXPECT_EQ(slot_, nullptr);
}

TEST(ShouldAnimate, OwnEventsOrTheGlobalOnes) {
    SetGlobalButtonEvents(15);
    EXPECT_TRUE(ShouldAnimate(TAnimatEvent::aeMouseDown, {TAnimatEvent::aeMouseDown}));
    EXPECT_FALSE(ShouldAnimate(TAnimatEvent::aeMouseEnter, {TAnimatEvent::aeMouseDown}));
    EXPECT_FALSE(ShouldAnimate(TAnimatEvent::aeMouseUp, {}));
    SetGlobalButtonEvents(12);
    EXPECT_TRUE(ShouldAnimate(TAnimatEvent::aeMouseDown, DefaultAnimatEvents));
    EXPECT_TRUE(ShouldAnimate(TAnimatEvent::aeMouseUp, DefaultAnimatEvents));
    EXPECT_FALSE(ShouldAnimate(TAnimatEvent::aeMouseEnter, DefaultAnimatEvents));
    EXPECT_FALSE(ShouldAnimate(TAnimatEvent::aeMouseLeave, DefaultAnimatEvents));
    SetGlobalButtonEvents(15);
}

TEST(ButtonEvents, OnlyTheDefaultManagerWritesTheGlobalEvents) {
    SetDefaultManager(nullptr);
    TsSkinManager first(nullptr);
    TsSkinManager second(nullptr);
    const TacBtnEvents downUp{TacBtnEvent::beMouseDown, TacBtnEvent::beMouseUp};
    second.AnimEffects().Buttons.SetEvents(downUp);
    EXPECT_EQ(GlobalButtonEvents(), 15);
    first.AnimEffects().Buttons.SetEvents(downUp);
    EXPECT_EQ(GlobalButtonEvents(), 12);
    EXPECT_EQ(second.AnimEffects().Buttons.Events(), downUp);
    SetGlobalButtonEvents(15);
}

// A speed button: its paint records the frame byte while its fade timer runs.
class AnimFadeTest : public BindingTest {
protected:
    void SetUp() override {
        AddSection("PANEL");
        AddSection("SPEEDBUTTON");
        Section("SPEEDBUTTON").FadingEnabled = true;
        Section("SPEEDBUTTON").FadingIterations = 4;
        panel_ = Add<TTestSkinned>(51, form_, {0, 0, 200, 100}, "PANEL");
        button_ = Add<TTestSkinnedGraphic>(KindCode::SpeedButton, panel_, {10, 10, 30, 30}, "SPEEDBUTTON");
        button_->OnSkinCommand = [this](TMessage& m) {
            if (SkinCommandMessage::Code(m) == cmdRebuildFace) Paint(120);
            if (SkinCommandMessage::Code(m) == cmdStopAnimation) StopFade(slot_);
        };
        button_->OnPaint = [this](TCanvas&) {
            if (slot_ && slot_->IsRunning()) {
                frames_.push_back(slot_->Frame().ScanLine(0)[0]);
                animatedChildSeen_ = panel_->Binding().AnimatedChild() == button_;
            }
        };
        Paint(20);
    }
    void Paint(std::uint8_t look) {
        button_->Binding().PrepareFace();
        button_->Binding().FaceBitmap()->Fill(MakeColor(look, look, look));
        button_->Binding().SetFaceStale(false);
    }

    TTestSkinned* panel_ = nullptr;
    TTestSkinnedGraphic* button_ = nullptr;
    std::unique_ptr<TsFade> slot_;
    std::vector<int> frames_;
    bool animatedChildSeen_ = false;
};

TEST_F(AnimFadeTest, FirstFrameAtOnceThenOnePerTick) {
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::OwnPaint, FadeSpeed::Full, true);
    ASSERT_NE(slot_, nullptr);
    EXPECT_EQ(frames_.size(), 1u);
    EXPECT_TRUE(animatedChildSeen_);
    EXPECT_EQ(panel_->Binding().AnimatedChild(), nullptr);
    Wait(30);
    std::vector<int> expected;
    for (int level = 1; level <= 4; ++level) {
        const int w = FadeWeight(level, 4);
        expected.push_back((20 * w + 120 * (255 - w) + 127) >> 8);
    }
    EXPECT_EQ(frames_, expected);
    Wait(10);
    EXPECT_EQ(slot_, nullptr);
}

TEST_F(AnimFadeTest, AHugeStepCountEndsWithinHalfASecond) {
    Section("SPEEDBUTTON").FadingIterations = INT32_MAX;
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::OwnPaint, FadeSpeed::Full, true);
    ASSERT_NE(slot_, nullptr);
    Wait(500);
    EXPECT_EQ(slot_, nullptr);
    ASSERT_FALSE(frames_.empty());
    EXPECT_LE(frames_.size(), 50u);
    EXPECT_EQ(frames_.back(), (120 * 255 + 127) >> 8);
}

TEST_F(AnimFadeTest, ZeroStepsRepaintAtOnce) {
    Section("SPEEDBUTTON").FadingIterations = 1;
    FadeOrRepaint(slot_, button_->Binding(), TFadeEnd::OwnPaint, FadeSpeed::Halved, true);
    EXPECT_EQ(slot_, nullptr);
    EXPECT_TRUE(button_->Binding().FaceStale());
}

} // namespace
