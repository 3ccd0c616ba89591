#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/app/e2e/ScriptLines.h"
#include "tests/app/support/TProgramSandbox.h"
#include "platform/graphics/PngReader.h"

namespace {

// The old-face weight of fade frame `level` of a fade of `steps` frames.
int Weight(int level, int steps) {
    return std::clamp(255 - (256 * level) / steps, 0, 255);
}

int FrameChannel(int oldValue, int newValue, int w) {
    return (oldValue * w + newValue * (255 - w) + 127) >> 8;
}

int Channel(TColor c, int i) {
    return i == 0 ? GetRValue(c) : i == 1 ? GetGValue(c) : GetBValue(c);
}

class ButtonSkin : public ::testing::Test {
protected:
    ButtonSkin() {
        sandbox_.WritePhrases("one\n");
        // A small screen keeps the screenshots quick to write and read.
        sandbox_.SetScreen(800, 600);
    }

    nlohmann::json MainScreen(const std::string& script = "") {
        const TRunResult run = sandbox_.Run({"/s"}, script + "dump -\n");
        const auto dumps = run.Dumps();
        EXPECT_FALSE(dumps.empty()) << run.Err;
        if (dumps.empty()) return {};
        const auto* form = FindWindow(dumps.back(), "TForm1");
        return form ? *form : nlohmann::json();
    }

    TProgramSandbox sandbox_;
};

TEST_F(ButtonSkin, EveryButtonIsSkinnedByItsGroupsManager) {
    const auto form = MainScreen();
    const auto* super = FindControl(form, "sButton5");
    ASSERT_NE(super, nullptr);
    EXPECT_EQ(super->at("skin").at("manager"), "sSkinManager0");
    EXPECT_EQ(super->at("skin").at("section"), "BUTTON");
    EXPECT_EQ(super->at("skin").at("skinned"), true);
    // The field buttons wear their group's manager: sButton1 group 1, sButton47 group 3.
    EXPECT_EQ(FindControl(form, "sButton1")->at("skin").at("manager"), "sSkinManager1");
    EXPECT_EQ(FindControl(form, "sButton47")->at("skin").at("manager"), "sSkinManager3");
    EXPECT_EQ(FindControl(form, "sButton47")->at("skin").at("state"), 0);
}

TEST_F(ButtonSkin, HoverFadesInTwentyFramesReadBackFromShots) {
    const auto before = MainScreen();
    const auto* button = FindControl(before, "sButton47");
    ASSERT_NE(button, nullptr);
    const TRect r = BoundsOf(*button); // the main screen's client area is the screen
    // A point on the top edge of the face, away from its corners and caption.
    const TPoint probe{r.Left + r.Width() / 2, r.Top + 1};
    const TPoint inside{r.Left + r.Width() / 2, r.Top + r.Height() / 2};

    const std::string dir = sandbox_.Root().string();
    std::string script = "shot " + dir + "/f0.png\nmove " + std::to_string(inside.X) + " " +
                         std::to_string(inside.Y) + "\nshot " + dir + "/g0.png\n";
    for (int level = 1; level <= 20; ++level)
        script += "wait 10\nshot " + dir + "/f" + std::to_string(level) + ".png\n";
    const auto form = MainScreen(script);
    EXPECT_EQ(FindControl(form, "sButton47")->at("skin").at("state"), 1);

    std::vector<TColor> frames;
    for (int level = 0; level <= 20; ++level) {
        const auto shot = ReadPngFile(dir + "/f" + std::to_string(level) + ".png");
        ASSERT_TRUE(shot) << level;
        frames.push_back(shot->GetPixel(probe.X, probe.Y));
    }
    const auto moved = ReadPngFile(dir + "/g0.png");
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->GetPixel(probe.X, probe.Y), frames[0]) << "the old face stays until the first tick";

    // The hot face h is unknown; the last frame shows (255 h + 127) shr 8, so h is that value
    // or one more. One of them must explain every frame by the blend rule.
    const TColor normal = frames[0];
    EXPECT_NE(normal, frames[20]) << "the hover changes the face";
    for (int c = 0; c < 3; ++c) {
        bool explained = false;
        for (int hot : {Channel(frames[20], c), Channel(frames[20], c) + 1}) {
            bool all = true;
            for (int level = 1; level <= 20; ++level)
                all = all && Channel(frames[std::size_t(level)], c) ==
                                 FrameChannel(Channel(normal, c), hot, Weight(level, 20));
            explained = explained || all;
        }
        EXPECT_TRUE(explained) << "channel " << c;
    }
}

} // namespace
