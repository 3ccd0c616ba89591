#include <gtest/gtest.h>

#include <png.h>

#include <string>
#include <vector>

#include "tests/app/support/TProgramSandbox.h"

// The live preview seen on the screen: picking a skin in group 0 repaints what follows
// manager 0 and leaves what follows the other managers as it was.

namespace {

// A screenshot of the virtual screen, as RGB bytes.
struct TShot {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Pixels;

    static TShot Read(const std::string& path) {
        TShot shot;
        png_image png{};
        png.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_file(&png, path.c_str())) return shot;
        png.format = PNG_FORMAT_RGB;
        std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(png));
        if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
            png_image_free(&png);
            return shot;
        }
        shot.Width = int(png.width);
        shot.Height = int(png.height);
        shot.Pixels = std::move(pixels);
        return shot;
    }
    // Whether the two shots hold the same pixels in the rectangle.
    bool SameIn(const TShot& other, const TRect& r) const {
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                for (int c = 0; c < 3; ++c) {
                    const std::size_t i =
                        (std::size_t(y) * std::size_t(Width) + std::size_t(x)) * 3 + std::size_t(c);
                    if (Pixels.at(i) != other.Pixels.at(i)) return false;
                }
        return true;
    }
};

TRect ScreenRectOf(const nlohmann::json& node) {
    const auto& s = node.at("screen");
    return TRect::FromBounds(s[0], s[1], s[2], s[3]);
}

// A control's inside, clear of corners that show what lies behind it.
TRect Inside(const nlohmann::json& node) {
    const TRect r = ScreenRectOf(node);
    return {r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4};
}

} // namespace

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
    const TShot first = TShot::Read(before), second = TShot::Read(after);
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
        EXPECT_FALSE(first.SameIn(second, Inside(control(name)))) << name << " kept its look";
    for (const std::string name : {"sGroupBox0", "sGroupBox2", "sGroupBox3", "sGroupBox4", "sGroupBox5"})
        EXPECT_FALSE(first.SameIn(second, ScreenRectOf(control(name)))) << name << " kept its look";
    // What follows managers 1 to 5.
    for (int n = 1; n <= 5; ++n)
        for (const std::string kind : {"sComboBox", "sSpinEdit"}) {
            const std::string name = kind + std::to_string(n);
            EXPECT_TRUE(first.SameIn(second, Inside(control(name)))) << name << " changed";
        }
    for (const std::string name : {"sButton1", "sButton2", "sButton5", "sButton6", "sButton7"})
        EXPECT_TRUE(first.SameIn(second, Inside(control(name)))) << name << " changed";
}
