#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/support/TProgramSandbox.h"
#include "tests/app/support/TScreenShot.h"

// Skins that users bring: a skin folder in "QuibbletonSkins" chosen through the settings at
// start-up paints exactly as its content says, whatever order its sections stand in, and a
// skin that lacks sections leaves what it does not hold to the other managers.

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The options text with its sections in reverse order; what stands before the first section
// stays first. Every section keeps its lines.
std::string ReversedSections(const std::string& text) {
    std::vector<std::string> pieces(1);
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') pieces.emplace_back();
        pieces.back() += line + "\n";
    }
    std::string out = pieces[0];
    for (std::size_t i = pieces.size(); i-- > 1;)
        out += pieces[i];
    return out;
}

// Copies a shipped skin's folder into the sandbox's skin folder under another name, its
// options text reversed when asked.
void InstallSkin(const TProgramSandbox& sandbox, const std::string& shipped, const std::string& name,
                 bool reverseSections) {
    const fs::path source = fs::path(QUIBBLETON_SOURCE_DIR) / "skins" / shipped;
    const fs::path target = sandbox.Home() / "QuibbletonSkins" / name;
    fs::create_directories(target);
    for (const auto& entry : fs::directory_iterator(source))
        fs::copy_file(entry.path(), target / entry.path().filename(), fs::copy_options::overwrite_existing);
    if (!reverseSections) return;
    const std::string options = ReadText(source / "Options.dat");
    const std::string reversed = ReversedSections(options);
    ASSERT_NE(reversed, options);
    WriteText(target / "Options.dat", reversed);
}

struct TShotRun {
    TScreenShot Shot;
    nlohmann::json Dump;
};

// Runs the program, takes one shot at the end of the script and dumps the window tree.
TShotRun ShotOf(const TProgramSandbox& sandbox, const std::vector<std::string>& arguments,
                const std::string& script) {
    const std::string path = (sandbox.Root() / "shot.png").string();
    fs::remove(path);
    const TRunResult run = sandbox.Run(arguments, script + "wait 1000\nshot " + path + "\ndump -\n");
    EXPECT_EQ(run.Status, 0) << run.Err;
    const auto dumps = run.Dumps();
    EXPECT_EQ(dumps.size(), 1u) << run.Err;
    TShotRun result{TScreenShot::Read(path), dumps.empty() ? nlohmann::json() : dumps.back()};
    EXPECT_GT(result.Shot.Width, 0) << run.Err;
    return result;
}

// The skin "Mine", a copy of a shipped skin, chosen for the window and the first button
// group, once in its own section order and once reversed: the two runs show the same pixels.
class ReorderedSkin : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        m_sandbox.WritePhrases("one\ntwo\n");
        m_sandbox.SetScreen(800, 600);
        m_sandbox.WriteSetting("FormStyle", "Mine");
        m_sandbox.WriteSetting("Buttons1Style", "Mine");
        m_sandbox.WriteSetting("Buttons1Hue", "0");
    }

    void ExpectSamePicture(const std::vector<std::string>& arguments, const std::string& script) {
        InstallSkin(m_sandbox, GetParam(), "Mine", false);
        const TShotRun own = ShotOf(m_sandbox, arguments, script);
        InstallSkin(m_sandbox, GetParam(), "Mine", true);
        const TShotRun reversed = ShotOf(m_sandbox, arguments, script);
        ASSERT_EQ(own.Shot.Width, reversed.Shot.Width);
        ASSERT_EQ(own.Shot.Height, reversed.Shot.Height);
        int differing = 0;
        for (int y = 0; y < own.Shot.Height; ++y)
            for (int x = 0; x < own.Shot.Width; ++x)
                if (own.Shot.Rgb(x, y) != reversed.Shot.Rgb(x, y)) ++differing;
        EXPECT_EQ(differing, 0) << "pixels that differ";
    }

    TProgramSandbox m_sandbox;
};

} // namespace

TEST_P(ReorderedSkin, PaintsTheMainScreenAsInItsOwnOrder) {
    ExpectSamePicture({"/s"}, "");
}

TEST_P(ReorderedSkin, PaintsThePhraseDialogAsInItsOwnOrder) {
    // Button 1 wears manager 0 (the window's skin), button 2 manager 1.
    ExpectSamePicture({"/s"}, "click sButton2\n");
}

TEST_P(ReorderedSkin, PaintsTheOptionsDialogAsInItsOwnOrder) {
    ExpectSamePicture({"/c"}, "");
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, ReorderedSkin, ::testing::Values("Golden", "Office2007Blue"));

namespace {

// A skin of five sections: GLOBALINFO, FORM, DIALOG, FORMTITLE and a BUTTON of one plain
// colour. Stored skins list BUTTON second; here FORM is.
constexpr unsigned PlainButtonRgb = 0x20A040;
constexpr unsigned PlainFormRgb = 0x303090;

std::string ColorValue(unsigned rgb) {
    // Skin colours are stored in the Windows order: red in the low byte.
    const unsigned r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
    return std::to_string(b << 16 | g << 8 | r);
}

void InstallPlainSkin(const TProgramSandbox& sandbox) {
    const fs::path folder = sandbox.Home() / "QuibbletonSkins" / "Plain";
    fs::create_directories(folder);
    WriteText(folder / "Options.dat", "[GLOBALINFO]\nVERSION=1.00\nFONTCOLOR=0\n"
                                      "[FORM]\nCOLOR=" +
                                          ColorValue(PlainFormRgb) +
                                          "\nFONTCOLOR=16777215\n"
                                          "[DIALOG]\nPARENTCLASS=FORM\n"
                                          "[FORMTITLE]\nCOLOR=" +
                                          ColorValue(PlainFormRgb) +
                                          "\n"
                                          "[BUTTON]\nCOLOR=" +
                                          ColorValue(PlainButtonRgb) + "\nFONTCOLOR=0\n");
}

const nlohmann::json& Control(const nlohmann::json& dump, const std::string& form, const std::string& name) {
    static const nlohmann::json none = {{"screen", {0, 0, 0, 0}}};
    const nlohmann::json* window = FindWindow(dump, form);
    const nlohmann::json* node = window ? FindControl(*window, name) : nullptr;
    EXPECT_NE(node, nullptr) << name;
    return node ? *node : none;
}

// The main screen's buttons that a manager skins, by name.
std::vector<std::string> ButtonsOf(const nlohmann::json& dump, const std::string& manager) {
    std::vector<std::string> names;
    const nlohmann::json* window = FindWindow(dump, "TForm1");
    if (!window) return names;
    for (int n = 1; n <= 51; ++n) {
        const nlohmann::json* button = FindControl(*window, "sButton" + std::to_string(n));
        if (button && button->contains("skin") && button->at("skin").at("manager") == manager)
            names.push_back("sButton" + std::to_string(n));
    }
    return names;
}

} // namespace

TEST(SkinMissingSections, ButtonsOfTheGroupPaintTheirOwnSectionNotTheOneAtItsStoredPlace) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    sandbox.SetScreen(800, 600);
    InstallPlainSkin(sandbox);
    sandbox.WriteSetting("Buttons1Style", "Plain");
    sandbox.WriteSetting("Buttons1Hue", "0");
    const TShotRun run = ShotOf(sandbox, {"/s"}, "");
    const std::vector<std::string> group = ButtonsOf(run.Dump, "sSkinManager1");
    ASSERT_EQ(group.size(), 10u);
    for (const std::string& name : group) {
        const nlohmann::json& button = Control(run.Dump, "TForm1", name);
        EXPECT_TRUE(button.at("skin").at("skinned")) << name;
        // A point clear of the caption, inside the button.
        const TRect r = ScreenRectOf(button);
        EXPECT_EQ(run.Shot.Rgb(r.Left + 2, r.Top + 2), PlainButtonRgb) << name;
    }
}

TEST(SkinMissingSections, AWindowSkinWithoutGroupBoxesLeavesTheOtherManagersControlsAsTheyWere) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    InstallPlainSkin(sandbox);
    const TShotRun design = ShotOf(sandbox, {"/c"}, "key Tab\n");
    sandbox.WriteSetting("FormStyle", "Plain");
    const TShotRun plain = ShotOf(sandbox, {"/c"}, "key Tab\n");
    ASSERT_EQ(design.Shot.Width, plain.Shot.Width);
    // The dialog sits at the same place in both runs.
    ASSERT_EQ(ScreenRectOf(Control(design.Dump, "TfrmOptions", "sComboBox2")),
              ScreenRectOf(Control(plain.Dump, "TfrmOptions", "sComboBox2")));
    for (int n = 2; n <= 5; ++n)
        for (const std::string kind : {"sComboBox", "sSpinEdit"}) {
            const std::string name = kind + std::to_string(n);
            EXPECT_TRUE(design.Shot.SameIn(plain.Shot, InsideOf(Control(plain.Dump, "TfrmOptions", name))))
                << name << " changed";
        }
    for (const std::string name : {"sButton2", "sButton5", "sButton6", "sButton7"}) {
        const nlohmann::json& button = Control(plain.Dump, "TfrmOptions", name);
        EXPECT_TRUE(design.Shot.SameIn(plain.Shot, InsideOf(button))) << name << " changed";
    }
    // Manager 0's own controls lost their sections: they show, but no longer skinned.
    EXPECT_FALSE(Control(plain.Dump, "TfrmOptions", "sGroupBox2").at("skin").at("skinned"));
}
