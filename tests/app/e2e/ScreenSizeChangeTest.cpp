#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/app/support/TProgramSandbox.h"
#include "tests/app/support/TScreenShot.h"

// The maximised main screen follows a change of its screen's size: what shows afterwards is
// what a start at the new size shows, pixel for pixel.

namespace {

struct TSize {
    int Width;
    int Height;
};

struct TShotAndLayout {
    TScreenShot Shot;
    nlohmann::json Dump;
};

TShotAndLayout ShotAfter(TProgramSandbox& sandbox, TSize start, const std::string& script) {
    sandbox.SetScreen(start.Width, start.Height);
    const std::string path = (sandbox.Root() / "shot.png").string();
    const TRunResult run = sandbox.Run({"/s"}, script + "wait 500\nshot " + path + "\ndump -\n");
    EXPECT_EQ(run.Status, 0) << run.Err;
    const auto dumps = run.Dumps();
    return {TScreenShot::Read(path), dumps.empty() ? nlohmann::json() : dumps.back()};
}

// Pixels that differ between the shots: none, the buttons' cut corners included, which show
// the form's face of the new size.
int DifferingPixels(const TScreenShot& a, const TScreenShot& b) {
    int differing = 0;
    for (int y = 0; y < a.Height; ++y)
        for (int x = 0; x < a.Width; ++x)
            if (a.Rgb(x, y) != b.Rgb(x, y)) ++differing;
    return differing;
}

using TSizeChange = std::pair<TSize, TSize>;

class ScreenSizeChange : public ::testing::TestWithParam<TSizeChange> {};

} // namespace

TEST_P(ScreenSizeChange, ShowsWhatAStartAtTheNewSizeShows) {
    const auto [from, to] = GetParam();
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    const TShotAndLayout changed =
        ShotAfter(sandbox, from,
                  "wait 100\nscreen " + std::to_string(to.Width) + " " + std::to_string(to.Height) + "\n");
    const TShotAndLayout started = ShotAfter(sandbox, to, "");
    ASSERT_EQ(changed.Shot.Width, to.Width);
    ASSERT_EQ(started.Shot.Width, to.Width);
    ASSERT_EQ(changed.Shot.Height, started.Shot.Height);
    // Both runs lay the buttons out alike.
    EXPECT_EQ(changed.Dump.at("windows"), started.Dump.at("windows"));
    EXPECT_EQ(DifferingPixels(changed.Shot, started.Shot), 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScreenSizeChange,
                         ::testing::Values(TSizeChange{{1280, 1024}, {1600, 1200}},
                                           TSizeChange{{1920, 1080}, {1280, 1024}}));
