#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/support/TProgramSandbox.h"
#include "tests/app/support/TScreenShot.h"

// The live preview seen on the screen: picking a skin in group 0 repaints what follows
// manager 0 and leaves what follows the other managers as it was.

TEST(OptionsPreview, PickingASkinInGroupZeroRestylesOnlyWhatFollowsManagerZero) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    const std::string before = (sandbox.Root() / "before.png").string();
    const std::string after = (sandbox.Root() / "after.png").string();
    // The focus is left on the Cancel button in both shots, so that no control shows focused.
    const TRunResult run =
        sandbox.Run({"/c"}, "click sComboBox0\nkey Escape\nkey Tab\nwait 10\nshot " + before +
                                "\nclick sComboBox0\nkey Home\nkey Enter\nkey Tab\nwait 10\nshot " + after +
                                "\ndump -\n");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto dumps = run.Dumps();
    ASSERT_EQ(dumps.size(), 1u);
    const nlohmann::json* dialog = FindWindow(dumps[0], "TfrmOptions");
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->at("managers")[0].at("SkinName"), "Desert (internal)");
    const TScreenShot first = TScreenShot::Read(before), second = TScreenShot::Read(after);
    ASSERT_GT(first.Width, 0);
    ASSERT_EQ(first.Width, second.Width);

    auto control = [&](const std::string& name) -> const nlohmann::json& {
        const nlohmann::json* node = FindControl(*dialog, name);
        EXPECT_NE(node, nullptr) << name;
        static const nlohmann::json none = {{"screen", {0, 0, 0, 0}}};
        return node ? *node : none;
    };
    // Group 0's list and hue field, and the group boxes that manager 0 skins.
    for (const std::string name : {"sComboBox0", "sSpinEdit0"})
        EXPECT_FALSE(first.SameIn(second, InsideOf(control(name)))) << name << " kept its look";
    for (const std::string name : {"sGroupBox0", "sGroupBox2", "sGroupBox3", "sGroupBox4", "sGroupBox5"})
        EXPECT_FALSE(first.SameIn(second, ScreenRectOf(control(name)))) << name << " kept its look";
    // What follows managers 1 to 5.
    for (int n = 1; n <= 5; ++n)
        for (const std::string kind : {"sComboBox", "sSpinEdit"}) {
            const std::string name = kind + std::to_string(n);
            EXPECT_TRUE(first.SameIn(second, InsideOf(control(name)))) << name << " changed";
        }
    for (const std::string name : {"sButton1", "sButton2", "sButton5", "sButton6", "sButton7"})
        EXPECT_TRUE(first.SameIn(second, InsideOf(control(name)))) << name << " changed";
}
