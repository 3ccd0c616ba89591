#include <gtest/gtest.h>

#include "tests/app/e2e/ScriptLines.h"
#include "tests/app/support/TProgramSandbox.h"

namespace {

struct TModeCase {
    std::string Program;
    std::vector<std::string> Arguments;
    bool ShowsMainScreen;
    bool ShowsOptions = false;
};

std::string Describe(const TModeCase& c) {
    std::string text = c.Program;
    for (const auto& a : c.Arguments)
        text += " " + a;
    return text;
}

// Test listings name each case by its command line.
void PrintTo(const TModeCase& c, std::ostream* out) {
    *out << Describe(c);
}

class StartupMode : public ::testing::TestWithParam<TModeCase> {};

} // namespace

TEST_P(StartupMode, ShowsTheWindowThatTheModeOrExtensionAsksFor) {
    const TModeCase& c = GetParam();
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    const TRunResult run = sandbox.Run(c.Arguments, "dump -\n", c.Program);
    EXPECT_EQ(run.Status, 0) << run.Err;
    const auto dumps = run.Dumps();
    if (c.ShowsMainScreen) {
        ASSERT_EQ(dumps.size(), 1u) << Describe(c) << run.Err;
        const auto* form = FindWindow(dumps[0], "TForm1");
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(form->at("visible").get<bool>());
    } else if (c.ShowsOptions) {
        ASSERT_EQ(dumps.size(), 1u) << Describe(c) << run.Err;
        EXPECT_EQ(FindWindow(dumps[0], "TForm1"), nullptr);
        const auto* dialog = FindWindow(dumps[0], "TfrmOptions");
        ASSERT_NE(dialog, nullptr) << Describe(c);
        EXPECT_TRUE(dialog->at("visible").get<bool>());
        EXPECT_EQ(dialog->at("text"), "Настройки");
    } else {
        EXPECT_TRUE(dumps.empty()) << Describe(c);
        EXPECT_EQ(run.Err, "") << Describe(c);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ModeTable, StartupMode,
    ::testing::Values(TModeCase{"x.scr", {"/s"}, true}, TModeCase{"x.scr", {"/S"}, true},
                      TModeCase{"x.scr", {"-s"}, true}, TModeCase{"x.scr", {"zs"}, true},
                      TModeCase{"x.scr", {"/c"}, false, true}, TModeCase{"x.scr", {"/c:1234"}, false, true},
                      TModeCase{"x.scr", {"-C"}, false, true}, TModeCase{"x.scr", {"/p", "1234"}, false},
                      TModeCase{"x.scr", {"/a", "1234"}, false}, TModeCase{"x.scr", {"s"}, false},
                      TModeCase{"x.scr", {}, false}, TModeCase{"x.exe", {}, true},
                      TModeCase{"X.EXE", {}, true}, TModeCase{"x.exe", {"/s"}, true},
                      TModeCase{"x.exe", {"/p", "1234"}, true}, TModeCase{"X.EXE", {"s"}, true},
                      TModeCase{"x.exe", {"/c"}, true}, TModeCase{"quibbleton", {}, false},
                      TModeCase{"quibbleton", {"/s"}, true}, TModeCase{"quibbleton", {"/c"}, false, true}));

TEST(SingleInstance, SecondStartWhileTheFirstRunsEndsAtOnceShowingNothing) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    TLiveProgram first(sandbox, {"/s"});
    first.Send("dump -");
    ASSERT_NE(first.ReadLine().find("\"TForm1\""), std::string::npos);

    for (const auto& arguments : {std::vector<std::string>{"/s"}, std::vector<std::string>{"/c"}}) {
        const TRunResult second = sandbox.Run(arguments, "dump -\n", "second.exe");
        EXPECT_EQ(second.Status, 0);
        EXPECT_EQ(second.Out, "");
        EXPECT_EQ(second.Err, "");
    }

    first.Send("dump -");
    EXPECT_NE(first.ReadLine().find("\"TForm1\""), std::string::npos);
    EXPECT_EQ(first.Finish(), 0);
}

TEST(SingleInstance, LockIsFreeAgainAfterTheFirstCopyEnded) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    EXPECT_EQ(sandbox.Run({"/s"}, script::PressBackground()).Status, 0);
    EXPECT_EQ(sandbox.Run({"/s"}, "dump -\n").Dumps().size(), 1u);
}
