#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/app/support/TProgramSandbox.h"

namespace {

struct TManagerState {
    std::string SkinName;
    int HueOffset = 0;
    int Saturation = 0;
    bool Active = false;
    bool IsDefault = false;
    friend bool operator==(const TManagerState&, const TManagerState&) = default;
};

std::ostream& operator<<(std::ostream& out, const TManagerState& m) {
    return out << "{" << m.SkinName << ", hue " << m.HueOffset << ", saturation " << m.Saturation
               << (m.Active ? ", active" : "") << (m.IsDefault ? ", default" : "") << "}";
}

// The main screen's managers as the dump shows them, by number.
std::vector<TManagerState> Managers(const nlohmann::json& dump) {
    std::vector<TManagerState> managers;
    const auto* form = FindWindow(dump, "TForm1");
    if (!form) return managers;
    for (const auto& m : form->at("managers"))
        managers.push_back(
            {m.at("SkinName"), m.at("HueOffset"), m.at("Saturation"), m.at("Active"), m.at("IsDefault")});
    return managers;
}

std::vector<TManagerState> ManagersAfterStart(const TProgramSandbox& sandbox,
                                              const std::string& script = "dump -\n") {
    const TRunResult run = sandbox.Run({"/s"}, script);
    const auto dumps = run.Dumps();
    EXPECT_FALSE(dumps.empty()) << run.Err;
    return dumps.empty() ? std::vector<TManagerState>() : Managers(dumps.back());
}

const TManagerState Design0{"Office2007 Black (internal)", 0, 0, true, true};
const TManagerState Design1{"Office2007 Black (internal)", 50, 0, true, false};
const TManagerState Design2{"Golden (internal)", 60, 100, true, false};
const TManagerState Design3{"Golden (internal)", 240, 100, true, false};
const TManagerState Design4{"Golden (internal)", 340, 100, true, false};
const TManagerState Design5{"Golden (internal)", 170, 100, true, false};

class SkinSettings : public ::testing::Test {
protected:
    void SetUp() override { m_sandbox.WritePhrases("one\n"); }
    TProgramSandbox m_sandbox;
};

} // namespace

TEST_F(SkinSettings, FirstStartKeepsEveryManagersDesignSkinAndHue) {
    EXPECT_EQ(ManagersAfterStart(m_sandbox),
              (std::vector<TManagerState>{Design0, Design1, Design2, Design3, Design4, Design5}));
}

TEST_F(SkinSettings, StoredSkinsAndHuesReachTheirManagers) {
    m_sandbox.WriteSetting("FormStyle", "Office2003 (internal)");
    m_sandbox.WriteSetting("FormHue", "15");
    m_sandbox.WriteSetting("Buttons5Style", "Golden (internal)");
    m_sandbox.WriteSetting("Buttons5Hue", "5000");
    m_sandbox.WriteSetting("Buttons4Hue", "-30");
    const auto managers = ManagersAfterStart(m_sandbox);
    ASSERT_EQ(managers.size(), 6u);
    EXPECT_EQ(managers[0].SkinName, "Office2003 (internal)");
    EXPECT_EQ(managers[0].HueOffset, 15);
    EXPECT_EQ(managers[5].HueOffset, 5000);
    EXPECT_EQ(managers[4].HueOffset, -30);
}

TEST_F(SkinSettings, HueThatIsNoNumberBecomesZeroNotTheDesignValue) {
    m_sandbox.WriteSetting("Buttons1Hue", "abc");
    EXPECT_EQ(ManagersAfterStart(m_sandbox).at(1).HueOffset, 0);
}

TEST_F(SkinSettings, HueWithALeadingBlankOrInHexadecimalIsRead) {
    m_sandbox.WriteSetting("Buttons1Hue", " 70");
    EXPECT_EQ(ManagersAfterStart(m_sandbox).at(1).HueOffset, 70);
    m_sandbox.WriteSetting("Buttons1Hue", "$46");
    EXPECT_EQ(ManagersAfterStart(m_sandbox).at(1).HueOffset, 70);
}

TEST_F(SkinSettings, EmptyValuesCountAsAbsent) {
    m_sandbox.WriteSetting("FormStyle", "");
    m_sandbox.WriteSetting("Buttons2Hue", "");
    const auto managers = ManagersAfterStart(m_sandbox);
    EXPECT_EQ(managers.at(0), Design0);
    EXPECT_EQ(managers.at(2), Design2);
}

TEST_F(SkinSettings, UnknownSkinFallsBackToTheManagersFirstStoredSkin) {
    m_sandbox.WriteSetting("FormStyle", "Nowhere To Be Found");
    m_sandbox.WriteSetting("Buttons3Style", "Desert (internal)");
    const auto managers = ManagersAfterStart(m_sandbox);
    EXPECT_EQ(managers.at(0).SkinName, "Desert (internal)");
    EXPECT_TRUE(managers.at(0).Active);
    // Manager 3 carries only "Golden (internal)".
    EXPECT_EQ(managers.at(3).SkinName, "Golden (internal)");
}

TEST_F(SkinSettings, PackageWithTheWrongMagicShowsTheWarningAndFallsBack) {
    std::filesystem::create_directories(m_sandbox.Home() / "QuibbletonSkins");
    std::ofstream(m_sandbox.Home() / "QuibbletonSkins" / "Broken.mvz", std::ios::binary) << "MVZF\1\0\0\0";
    m_sandbox.WriteSetting("FormStyle", "Broken");
    const TRunResult run = m_sandbox.Run({"/s"}, "dump -\nkey Enter\ndump -\n");
    const auto dumps = run.Dumps();
    ASSERT_EQ(dumps.size(), 2u) << run.Err;
    const auto* box = FindWindow(dumps[0], "TMessageForm");
    ASSERT_NE(box, nullptr) << dumps[0].dump();
    EXPECT_EQ(box->at("text"), "Warning");
    EXPECT_NE(box->dump().find("Loaded data is not packed Murvane file"), std::string::npos) << box->dump();
    EXPECT_EQ(FindWindow(dumps[1], "TMessageForm"), nullptr);
    // Nothing else of that name exists, so the manager takes its first stored skin.
    const auto managers = Managers(dumps[1]);
    ASSERT_EQ(managers.size(), 6u);
    EXPECT_EQ(managers[0], (TManagerState{"Desert (internal)", 0, 0, true, true}));
}

TEST_F(SkinSettings, WrongTypeStopsReadingAtThatValue) {
    m_sandbox.WriteSetting("FormStyle", "Golden (internal)");
    m_sandbox.WriteIntegerSetting("FormHue", 90);
    m_sandbox.WriteSetting("Buttons1Style", "Golden (internal)");
    m_sandbox.WriteSetting("Buttons1Hue", "7");
    const TRunResult run = m_sandbox.Run({"/s"}, "dump -\nkey Enter\ndump -\n");
    const auto dumps = run.Dumps();
    ASSERT_EQ(dumps.size(), 2u) << run.Err;
    const auto* box = FindWindow(dumps[0], "TMessageForm");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->dump().find("Invalid data type for 'FormHue'"), std::string::npos) << box->dump();
    const auto managers = Managers(dumps[1]);
    ASSERT_EQ(managers.size(), 6u);
    EXPECT_EQ(managers[0], (TManagerState{"Golden (internal)", 0, 0, true, true}));
    EXPECT_EQ(managers[1], Design1);
    EXPECT_EQ(managers[5], Design5);
}

TEST_F(SkinSettings, ChooserListsManagerOnesStoredSkinsAndSelectsItsSkin) {
    const auto dumps = m_sandbox.Run({"/s"}, "dump -\n").Dumps();
    ASSERT_EQ(dumps.size(), 1u);
    const auto* combo = FindControl(*FindWindow(dumps[0], "TForm1"), "sComboBox1");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->at("items"),
              nlohmann::json::array({"Golden (internal)", "Office2007 Black (internal)"}));
    EXPECT_EQ(combo->at("text"), "Office2007 Black (internal)");
}

TEST_F(SkinSettings, PhraseDialogOwnsNoManagers) {
    const auto dumps = m_sandbox.Run({"/s"}, "click sButton5\ndump -\n").Dumps();
    ASSERT_EQ(dumps.size(), 1u);
    const auto* dialog = FindWindow(dumps[0], "TfrmFrasa");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->at("managers"), nlohmann::json::array());
}
