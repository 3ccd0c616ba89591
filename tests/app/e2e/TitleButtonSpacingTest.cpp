// A skin whose title-button spacing is as large or as small as a number can be: the phrase
// dialog's close button stays on its title bar and closes it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/app/e2e/ScriptLines.h"
#include "tests/app/support/TProgramSandbox.h"

namespace {

constexpr int CloseHitCode = 20;

// The stored skin folder "Golden" as "Spaced", with BISPACE set to the given text.
void AddSpacedSkin(const TProgramSandbox& sandbox, const std::string& space) {
    const std::filesystem::path folder = sandbox.Home() / "QuibbletonSkins" / "Spaced";
    std::filesystem::create_directories(folder.parent_path());
    std::filesystem::copy(std::filesystem::path(QUIBBLETON_SOURCE_DIR) / "skins" / "Golden", folder,
                          std::filesystem::copy_options::recursive);
    std::ifstream in(folder / "Options.dat", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    std::string options = text.str();
    const std::size_t at = options.find("BISPACE=2");
    ASSERT_NE(at, std::string::npos);
    options.replace(at, 9, "BISPACE=" + space);
    std::ofstream(folder / "Options.dat", std::ios::binary | std::ios::trunc) << options;
}

} // namespace

TEST(TitleButtonSpacing, ExtremeSpacingKeepsTheDialogsCloseButtonOnItsTitleBar) {
    for (const std::string space : {"2147483647", "-2147483648"}) {
        TProgramSandbox sandbox;
        sandbox.WritePhrases("one\n");
        sandbox.SetScreen(800, 600);
        AddSpacedSkin(sandbox, space);
        sandbox.WriteSetting("FormStyle", "Spaced");
        const TRunResult shown =
            sandbox.Run({"/s"}, "click sButton1\ndump -\nkey Alt+F4\n" + script::PressBackground());
        const auto dumps = shown.Dumps();
        ASSERT_EQ(dumps.size(), 1u) << space << shown.Err;
        const nlohmann::json* main = FindWindow(dumps[0], "TForm1");
        ASSERT_NE(main, nullptr) << space;
        EXPECT_EQ(main->at("managers").at(0).at("SkinName"), "Spaced") << space;
        const nlohmann::json* dialog = FindWindow(dumps[0], "TfrmFrasa");
        ASSERT_NE(dialog, nullptr) << space;
        EXPECT_EQ(dialog->at("text"), "Случайная фраза");
        const TRect bounds = BoundsOf(*dialog);
        const nlohmann::json& buttons = dialog->at("titleButtons");
        ASSERT_EQ(buttons.size(), 1u) << space;
        EXPECT_EQ(buttons[0].at("hit"), CloseHitCode);
        const TRect close = BoundsOf(buttons[0]);
        EXPECT_GE(close.Left, bounds.Width() / 2) << space;
        EXPECT_LE(close.Right, bounds.Width()) << space;
        EXPECT_GE(close.Top, 0) << space;

        const int x = bounds.Left + close.Left + close.Width() / 2;
        const int y = bounds.Top + close.Top + close.Height() / 2;
        const TRunResult closed =
            sandbox.Run({"/s"}, "click sButton1\nclick " + std::to_string(x) + " " + std::to_string(y) +
                                    "\nwait 10\ndump -\n" + script::PressBackground());
        const auto after = closed.Dumps();
        ASSERT_EQ(after.size(), 1u) << space << closed.Err;
        EXPECT_EQ(FindWindow(after[0], "TfrmFrasa"), nullptr) << space;
        EXPECT_NE(FindWindow(after[0], "TForm1"), nullptr) << space;
    }
}
