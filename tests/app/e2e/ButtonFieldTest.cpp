#include <gtest/gtest.h>

#include <string>

#include "app/ButtonScaling.h"
#include "app/TMainScreenDesign.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/TBitmap.h"
#include "tests/app/e2e/ScriptLines.h"
#include "tests/app/support/TProgramSandbox.h"

namespace {

// The caption measured in the surface's default font (8 point), as the scaling pass does.
TSize CaptionSize(std::string_view caption) {
    TBitmap surface(1, 1);
    TCanvas canvas(surface);
    canvas.SetFont(TFont());
    return canvas.TextExtent(caption);
}

nlohmann::json MainScreenAt(int width, int height) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    sandbox.SetScreen(width, height);
    const TRunResult run = sandbox.Run({"/s"}, "dump -\n");
    const auto dumps = run.Dumps();
    EXPECT_EQ(dumps.size(), 1u) << run.Err;
    if (dumps.empty()) return {};
    const auto* form = FindWindow(dumps[0], "TForm1");
    EXPECT_NE(form, nullptr);
    return form ? *form : nlohmann::json();
}

std::string ButtonName(const TFieldButtonDesign& b) {
    return "sButton" + std::to_string(b.Number);
}

} // namespace

TEST(ButtonField, MaximisedWindowCoversTheScreenWithoutABorder) {
    const auto form = MainScreenAt(1920, 1080);
    EXPECT_EQ(BoundsOf(form), TRect::FromBounds(0, 0, 1920, 1080));
    EXPECT_EQ(form.at("screen"), nlohmann::json::array({0, 0, 1920, 1080}));
}

TEST(ButtonField, HoldsTheFiftyButtonsAndTheSuperButtonWithTheirCaptions) {
    const auto form = MainScreenAt(1920, 1080);
    for (const auto& b : TMainScreenDesign::Buttons()) {
        const auto* button = FindControl(form, ButtonName(b));
        ASSERT_NE(button, nullptr) << ButtonName(b);
        EXPECT_EQ(button->at("class"), "TsButton");
        EXPECT_EQ(button->at("text"), std::string(TMainScreenDesign::CaptionForTag(b.Tag)));
    }
    EXPECT_EQ(FindControl(form, "sButton5")->at("text"), "Супер кнопка");
}

TEST(ButtonField, AtTheDesignSizeNoButtonMoves) {
    const auto form = MainScreenAt(DesignWidth, DesignHeight);
    for (const auto& b : TMainScreenDesign::Buttons())
        EXPECT_EQ(BoundsOf(*FindControl(form, ButtonName(b))),
                  TRect::FromBounds(b.Left, b.Top, b.Width, b.Height))
            << ButtonName(b);
}

TEST(ButtonField, At1920By1080TheSuperButtonScalesToTheDesignRatio) {
    const auto form = MainScreenAt(1920, 1080);
    EXPECT_EQ(BoundsOf(*FindControl(form, "sButton5")), TRect::FromBounds(773, 427, 448, 186));
}

TEST(ButtonField, At1920By1080EveryButtonStartsAtItsTruncatedScaledPosition) {
    const auto form = MainScreenAt(1920, 1080);
    for (const auto& b : TMainScreenDesign::Buttons()) {
        const TRect r = BoundsOf(*FindControl(form, ButtonName(b)));
        EXPECT_EQ(r.Left, b.Left * 1920 / 1032) << ButtonName(b);
        EXPECT_EQ(r.Top, b.Top * 1080 / 748) << ButtonName(b);
    }
}

TEST(ButtonField, At800By600AClassOneButtonIsNoSmallerThanItsCaption) {
    const auto form = MainScreenAt(800, 600);
    const TSize caption = CaptionSize("Кнопулечка");
    const TRect r = BoundsOf(*FindControl(form, "sButton1"));
    EXPECT_EQ(r.Left, 136);
    EXPECT_EQ(r.Top, 295);
    EXPECT_EQ(r.Width(), std::max(54, caption.Width + 6));
    EXPECT_EQ(r.Height(), std::max(13, caption.Height + 6));
    EXPECT_GT(r.Height(), 13);
}

TEST(ButtonField, LabelsAndHiddenControlsKeepTheirDesignBounds) {
    const auto form = MainScreenAt(1920, 1080);
    const auto* label = FindControl(form, "sLabel1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->at("class"), "TsLabelFX");
    EXPECT_FALSE(label->at("visible").get<bool>());
    EXPECT_EQ(BoundsOf(*label), TRect::FromBounds(408, 440, 66, 22));
    const auto* old = FindControl(form, "sLabel1_old");
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->at("class"), "TsLabel");
    EXPECT_FALSE(old->at("visible").get<bool>());
    EXPECT_EQ(BoundsOf(*old), TRect::FromBounds(672, 0, 101, 24));
}

TEST(ButtonField, ScreenSizeChangeRescalesFromTheDesignBounds) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    const TRunResult run = sandbox.Run({"/s"}, "screen 800 600\nscreen 1920 1080\ndump -\n");
    const auto dumps = run.Dumps();
    ASSERT_EQ(dumps.size(), 1u) << run.Err;
    EXPECT_EQ(BoundsOf(*FindControl(*FindWindow(dumps[0], "TForm1"), "sButton5")),
              TRect::FromBounds(773, 427, 448, 186));
}

TEST(ButtonField, ClickOnAButtonDoesNotCloseTheWindow) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    const TRunResult run = sandbox.Run({"/s"}, script::ClickAndDumpPhrase("sButton5") + "wait 10\ndump -\n");
    const auto dumps = run.Dumps();
    ASSERT_EQ(dumps.size(), 2u) << run.Err;
    EXPECT_NE(FindWindow(dumps[1], "TForm1"), nullptr);
    EXPECT_EQ(FindWindow(dumps[1], "TfrmFrasa"), nullptr);
}

TEST(ButtonField, RightOrMiddlePressOnTheBackgroundEndsTheProgram) {
    for (const char* button : {"right", "middle", "left"}) {
        TProgramSandbox sandbox;
        sandbox.WritePhrases("one\n");
        const TRunResult run = sandbox.Run({"/s"}, script::PressBackground(button) + "dump -\n");
        EXPECT_EQ(run.Status, 0) << button;
        EXPECT_TRUE(run.Dumps().empty()) << button << ": the window is still there";
        EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "-1") << button;
    }
}

TEST(ButtonField, PressWhereAHiddenControlLiesReachesTheBackground) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    // sComboBox1's design place: hidden controls take no mouse.
    const TRunResult run = sandbox.Run({"/s"}, "press 50 20 right\nrelease 50 20 right\nwait 10\ndump -\n");
    EXPECT_TRUE(run.Dumps().empty());
}

TEST(ButtonField, SkinChooserControlsAreCreatedHiddenAtTheirDesignBounds) {
    const auto form = MainScreenAt(1920, 1080);
    const auto* combo = FindControl(form, "sComboBox1");
    const auto* edit = FindControl(form, "sEdit1");
    const auto* upDown = FindControl(form, "sUpDown1");
    ASSERT_TRUE(combo && edit && upDown);
    EXPECT_EQ(combo->at("class"), "TsComboBox");
    EXPECT_EQ(edit->at("class"), "TsEdit");
    EXPECT_EQ(upDown->at("class"), "TsUpDown");
    for (const auto* c : {combo, edit, upDown})
        EXPECT_FALSE(c->at("visible").get<bool>()) << c->at("name");
    EXPECT_EQ(BoundsOf(*combo), TRect::FromBounds(40, 16, 145, 21));
    EXPECT_EQ(BoundsOf(*edit), TRect::FromBounds(200, 16, 49, 21));
    EXPECT_EQ(BoundsOf(*upDown), TRect::FromBounds(249, 16, 15, 21));
    EXPECT_EQ(edit->at("text"), "0");
    EXPECT_EQ(upDown->at("max"), 1000);
}

TEST(ButtonField, SuperButtonHasTheFocusAsTheFirstVisibleControlInTabOrder) {
    const auto form = MainScreenAt(1920, 1080);
    EXPECT_TRUE(FindControl(form, "sButton5")->at("focused").get<bool>());
}
