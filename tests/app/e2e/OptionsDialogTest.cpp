#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/os/TFileLock.h"
#include "platform/os/TRegistry.h"
#include "tests/app/support/TProgramSandbox.h"

// The options dialog of configuration mode, run headless from scripts: what it shows, what
// Ok stores, what closing without Ok leaves alone, and what the next main screen then wears.

namespace {

// The twelve skin settings in stored order, with the dialog's design values.
struct TSetting {
    const char* Name;
    const char* DesignValue;
};
constexpr std::array<TSetting, 12> SkinSettings{{
    {"FormStyle", "Office2007 Black (internal)"},
    {"FormHue", "0"},
    {"Buttons1Style", "Office2007 Black (internal)"},
    {"Buttons1Hue", "50"},
    {"Buttons2Style", "Golden (internal)"},
    {"Buttons2Hue", "60"},
    {"Buttons3Style", "Golden (internal)"},
    {"Buttons3Hue", "240"},
    {"Buttons4Style", "Golden (internal)"},
    {"Buttons4Hue", "340"},
    {"Buttons5Style", "Golden (internal)"},
    {"Buttons5Hue", "170"},
}};

const nlohmann::json& Dialog(const nlohmann::json& dump) {
    static const nlohmann::json none;
    const nlohmann::json* dialog = FindWindow(dump, "TfrmOptions");
    return dialog ? *dialog : none;
}

const nlohmann::json& Control(const nlohmann::json& dump, const std::string& name) {
    static const nlohmann::json none;
    const nlohmann::json& dialog = Dialog(dump);
    const nlohmann::json* control = dialog.is_null() ? nullptr : FindControl(dialog, name);
    return control ? *control : none;
}

const nlohmann::json& Manager(const nlohmann::json& form, int number) {
    return form.at("managers").at(std::size_t(number));
}

// The caption bar's close button of a form, in screen coordinates.
std::string CloseButtonPoint(const nlohmann::json& form) {
    const TRect r = TRect::FromBounds(form.at("screen")[0], form.at("screen")[1], form.at("screen")[2],
                                      form.at("screen")[3]);
    return std::to_string(r.Right - 13) + " " + std::to_string(r.Top + 11);
}

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override { m_sandbox.WritePhrases("one\n"); }

    // Runs the dialog with the script, which must leave it with a dump.
    std::vector<nlohmann::json> RunDialog(const std::string& script) {
        const TRunResult run = m_sandbox.Run({"/c"}, script);
        EXPECT_EQ(run.Status, 0) << run.Err;
        return run.Dumps();
    }
    void ExpectNothingStored() const {
        for (const TSetting& s : SkinSettings)
            EXPECT_EQ(m_sandbox.ReadSetting(s.Name), std::nullopt) << s.Name;
    }

    TProgramSandbox m_sandbox;
};

} // namespace

TEST_F(OptionsDialog, OpensWithTheDesignSkinsAndHuesOfTheSixManagers) {
    const auto dumps = RunDialog("dump -\n");
    ASSERT_EQ(dumps.size(), 1u);
    const nlohmann::json& dialog = Dialog(dumps[0]);
    ASSERT_FALSE(dialog.is_null());
    EXPECT_EQ(dialog.at("text"), "Настройки");
    for (int n = 0; n < 6; ++n) {
        const nlohmann::json& manager = Manager(dialog, n);
        EXPECT_EQ(manager.at("SkinName"), SkinSettings[std::size_t(2 * n)].DesignValue);
        EXPECT_EQ(std::to_string(manager.at("HueOffset").get<int>()),
                  SkinSettings[std::size_t(2 * n + 1)].DesignValue);
        // Every manager keeps the default saturation, unlike the main screen's managers 2 to 5.
        EXPECT_EQ(manager.at("Saturation"), Manager(dialog, 0).at("Saturation"));
        EXPECT_EQ(manager.at("IsDefault"), n == 0) << n;
        const nlohmann::json& combo = Control(dumps[0], "sComboBox" + std::to_string(n));
        EXPECT_EQ(combo.at("text"), manager.at("SkinName"));
        const nlohmann::json& spin = Control(dumps[0], "sSpinEdit" + std::to_string(n));
        EXPECT_EQ(spin.at("value"), manager.at("HueOffset"));
    }
    // Manager 0 carries five stored skins, the others their own.
    EXPECT_EQ(Control(dumps[0], "sComboBox0").at("items").size(), 5u);
    EXPECT_EQ(Control(dumps[0], "sComboBox1").at("items"),
              nlohmann::json::array({"Golden (internal)", "Office2007 Black (internal)"}));
}

TEST_F(OptionsDialog, OkWithoutChangesStoresAllTwelveValuesAsText) {
    RunDialog("click sButton3\nwait 10\n");
    for (const TSetting& s : SkinSettings)
        EXPECT_EQ(m_sandbox.ReadSetting(s.Name), s.DesignValue) << s.Name;
}

TEST_F(OptionsDialog, StoredHueBeyondTheMaximumShowsAndStoresTheMaximum) {
    m_sandbox.WriteSetting("Buttons5Hue", "5000");
    m_sandbox.WriteSetting("Buttons4Hue", "-30");
    const auto dumps = RunDialog("dump -\nclick sButton3\nwait 10\n");
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(Control(dumps[0], "sSpinEdit5").at("text"), "1000");
    EXPECT_EQ(Control(dumps[0], "sSpinEdit4").at("text"), "0");
    // The previewing manager follows the field.
    EXPECT_EQ(Manager(Dialog(dumps[0]), 5).at("HueOffset"), 1000);
    EXPECT_EQ(m_sandbox.ReadSetting("Buttons5Hue"), "1000");
    EXPECT_EQ(m_sandbox.ReadSetting("Buttons4Hue"), "0");
}

TEST_F(OptionsDialog, UnknownStoredSkinFallsBackAndOkStoresTheFallbacksName) {
    m_sandbox.WriteSetting("FormStyle", "Nowhere To Be Found");
    const auto dumps = RunDialog("dump -\nclick sButton3\nwait 10\n");
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(Manager(Dialog(dumps[0]), 0).at("SkinName"), "Desert (internal)");
    EXPECT_EQ(Control(dumps[0], "sComboBox0").at("text"), "Desert (internal)");
    EXPECT_EQ(m_sandbox.ReadSetting("FormStyle"), "Desert (internal)");
}

TEST_F(OptionsDialog, StoredSkinNameSelectsItsListItemWhateverTheLetterCase) {
    m_sandbox.WriteSetting("Buttons1Style", "golden (INTERNAL)");
    const auto dumps = RunDialog("dump -\n");
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(Control(dumps[0], "sComboBox1").at("text"), "Golden (internal)");
}

TEST_F(OptionsDialog, EscapeStoresNothingAndEndsTheProgram) {
    // The first Escape closes the open list, the second presses Cancel; the program then ends
    // before the script's dump.
    const auto dumps = RunDialog("click sComboBox2\nkey Escape\nkey Escape\nwait 10\ndump -\n");
    EXPECT_TRUE(dumps.empty());
    ExpectNothingStored();
}

TEST_F(OptionsDialog, CancelStoresNothing) {
    RunDialog("click sButton4\nwait 10\n");
    ExpectNothingStored();
}

TEST_F(OptionsDialog, CloseButtonStoresNothing) {
    const auto first = RunDialog("dump -\n");
    ASSERT_EQ(first.size(), 1u);
    const std::string close = CloseButtonPoint(Dialog(first[0]));
    const auto dumps = RunDialog("click sSpinEdit0\ntype 5\nclick " + close + "\nwait 10\ndump -\n");
    EXPECT_TRUE(dumps.empty()) << "the program did not end";
    ExpectNothingStored();
}

namespace {

// Ok picks a skin in group 0 and confirms; the store refuses the change. The message names the
// first value, it closes with Enter, and the dialog stays open.
void ExpectOkRefusedAndTheDialogOpen(const std::vector<nlohmann::json>& dumps) {
    ASSERT_EQ(dumps.size(), 2u);
    const nlohmann::json* box = FindWindow(dumps[0], "TMessageForm");
    ASSERT_NE(box, nullptr) << dumps[0].dump();
    EXPECT_NE(box->dump().find("Failed to set data for 'FormStyle'"), std::string::npos) << box->dump();
    EXPECT_EQ(FindWindow(dumps[1], "TMessageForm"), nullptr);
    EXPECT_TRUE(Dialog(dumps[1]).at("visible").get<bool>());
}

const char* const PickAndOkTwice = "click sComboBox0\nkey Home\nkey Enter\nclick sButton3\nwait 10\ndump -\n"
                                   "key Enter\nwait 10\ndump -\n";

} // namespace

TEST_F(OptionsDialog, FailedWriteStoresNothingShowsTheErrorAndKeepsTheDialogOpen) {
    m_sandbox.WriteSetting("Buttons3Hue", "240");
    // The store can still be read, but no change can take its lock.
    const std::string lock = m_sandbox.RegistryPath().string() + ".lock";
    std::filesystem::remove(lock);
    std::filesystem::create_directory(lock);
    ExpectOkRefusedAndTheDialogOpen(RunDialog(PickAndOkTwice));
    for (const TSetting& s : SkinSettings)
        if (std::string(s.Name) != "Buttons3Hue") {
            EXPECT_EQ(m_sandbox.ReadSetting(s.Name), std::nullopt) << s.Name;
        }
    EXPECT_EQ(m_sandbox.ReadSetting("Buttons3Hue"), "240");
}

TEST_F(OptionsDialog, OkWhileAnotherProcessHoldsTheStoresLockFailsAfterAWait) {
    m_sandbox.WriteSetting("Buttons3Hue", "240");
    const std::string stored = m_sandbox.RegistryBytes();
    TFileLock holder;
    ASSERT_EQ(holder.Lock(m_sandbox.RegistryPath().string() + ".lock"), TLockResult::Acquired);
    ExpectOkRefusedAndTheDialogOpen(RunDialog(PickAndOkTwice));
    EXPECT_EQ(m_sandbox.RegistryBytes(), stored);
}

TEST_F(OptionsDialog, OkOnAReadOnlyStoreFailsAndChangesNothing) {
    m_sandbox.WriteSetting("Buttons3Hue", "240");
    const std::string stored = m_sandbox.RegistryBytes();
    std::filesystem::permissions(m_sandbox.RegistryPath(), std::filesystem::perms(0444));
    ExpectOkRefusedAndTheDialogOpen(RunDialog(PickAndOkTwice));
    EXPECT_EQ(m_sandbox.RegistryBytes(), stored);
    EXPECT_EQ(std::filesystem::status(m_sandbox.RegistryPath()).permissions(), std::filesystem::perms(0444));
}

TEST_F(OptionsDialog, OkThatWouldOutgrowWhatTheProgramReadsFailsAndTheStoreStaysReadable) {
    // The store just under the size that is read, so that the twelve values do not fit.
    m_sandbox.WriteSetting("Filler", "");
    const std::size_t filler =
        std::size_t(TRegistry::MaxStoreFileSize) - 100 - m_sandbox.RegistryBytes().size();
    m_sandbox.WriteSetting("Filler", std::string(filler, 'x'));
    const std::string stored = m_sandbox.RegistryBytes();
    ExpectOkRefusedAndTheDialogOpen(RunDialog(PickAndOkTwice));
    EXPECT_EQ(m_sandbox.RegistryBytes(), stored);
    EXPECT_EQ(m_sandbox.ReadSetting("Filler").value_or("").size(), filler);
}

TEST_F(OptionsDialog, OkAfterAFailedWriteStoresAllTwelveOnceTheStoreWorksAgain) {
    const std::string lock = m_sandbox.RegistryPath().string() + ".lock";
    m_sandbox.WriteSetting("FormHue", "0");
    std::filesystem::remove(lock);
    std::filesystem::create_directory(lock);
    TLiveProgram program(m_sandbox, {"/c"});
    program.Send("click sButton3");
    program.Send("wait 10");
    program.Send("key Enter");
    program.Send("dump -");
    ASSERT_NE(program.ReadLine().find("TfrmOptions"), std::string::npos);
    std::filesystem::remove(lock);
    program.Send("click sButton3");
    program.Send("wait 10");
    EXPECT_EQ(program.Finish(), 0);
    for (const TSetting& s : SkinSettings)
        EXPECT_EQ(m_sandbox.ReadSetting(s.Name), s.DesignValue) << s.Name;
}

TEST_F(OptionsDialog, PickingASkinPreviewsOnItsGroupsManagerOnly) {
    const auto dumps = RunDialog("click sComboBox1\nkey Home\nkey Enter\ndump -\n");
    ASSERT_EQ(dumps.size(), 1u);
    const nlohmann::json& dialog = Dialog(dumps[0]);
    EXPECT_EQ(Manager(dialog, 1).at("SkinName"), "Golden (internal)");
    EXPECT_EQ(Manager(dialog, 0).at("SkinName"), "Office2007 Black (internal)");
    ExpectNothingStored();
}

TEST_F(OptionsDialog, TypedHuePreviewsOnItsGroupsManager) {
    const auto dumps =
        RunDialog("click sSpinEdit2\nkey End\nkey Backspace\nkey Backspace\ntype 25\ndump -\n");
    ASSERT_EQ(dumps.size(), 1u);
    EXPECT_EQ(Control(dumps[0], "sSpinEdit2").at("text"), "25");
    EXPECT_EQ(Manager(Dialog(dumps[0]), 2).at("HueOffset"), 25);
    EXPECT_EQ(Manager(Dialog(dumps[0]), 3).at("HueOffset"), 240);
}

TEST_F(OptionsDialog, TheNextMainScreenWearsWhatOkStored) {
    RunDialog("click sComboBox0\nkey Home\nkey Enter\n"
              "click sSpinEdit3\nkey End\nkey Backspace\nkey Backspace\nkey Backspace\ntype 120\n"
              "click sButton3\nwait 10\n");
    EXPECT_EQ(m_sandbox.ReadSetting("FormStyle"), "Desert (internal)");
    EXPECT_EQ(m_sandbox.ReadSetting("Buttons3Hue"), "120");
    const TRunResult run = m_sandbox.Run({"/s"}, "dump -\n");
    const auto dumps = run.Dumps();
    ASSERT_EQ(dumps.size(), 1u) << run.Err;
    const nlohmann::json* form = FindWindow(dumps[0], "TForm1");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Manager(*form, 0).at("SkinName"), "Desert (internal)");
    EXPECT_EQ(Manager(*form, 3).at("HueOffset"), 120);
    EXPECT_EQ(Manager(*form, 1).at("SkinName"), "Office2007 Black (internal)");
    EXPECT_EQ(Manager(*form, 5).at("HueOffset"), 170);
}

namespace {

// Puts `count` skin packages into the skin folder; the lists show them whatever they hold.
void AddSkinPackages(const TProgramSandbox& sandbox, int count) {
    const std::filesystem::path folder = sandbox.Home() / "QuibbletonSkins";
    std::filesystem::create_directories(folder);
    for (int i = 0; i < count; ++i)
        std::ofstream(folder / ("Extra" + std::to_string(10 + i) + ".mvz")) << "";
}

} // namespace

TEST_F(OptionsDialog, ListOfSeventeenSkinsOpensWithASkinnedScrollBar) {
    AddSkinPackages(m_sandbox, 12);
    const auto dumps = RunDialog("click sComboBox0\ndump -\n");
    ASSERT_EQ(dumps.size(), 1u);
    const nlohmann::json& combo = Control(dumps[0], "sComboBox0");
    EXPECT_EQ(combo.at("items").size(), 17u);
    EXPECT_TRUE(combo.at("droppedDown").get<bool>());
    EXPECT_TRUE(combo.at("listAdapter").get<bool>());
}

TEST_F(OptionsDialog, ListOfSixSkinsOpensWithThePlatformScrollBar) {
    AddSkinPackages(m_sandbox, 1);
    const auto dumps = RunDialog("click sComboBox0\ndump -\n");
    ASSERT_EQ(dumps.size(), 1u);
    const nlohmann::json& combo = Control(dumps[0], "sComboBox0");
    EXPECT_EQ(combo.at("items").size(), 6u);
    EXPECT_TRUE(combo.at("droppedDown").get<bool>());
    EXPECT_FALSE(combo.at("listAdapter").get<bool>());
}

TEST_F(OptionsDialog, StoredValueOfTheWrongTypeIsReportedAndTheDialogStillOpens) {
    m_sandbox.WriteSetting("FormStyle", "Golden (internal)");
    m_sandbox.WriteIntegerSetting("FormHue", 90);
    m_sandbox.WriteSetting("Buttons1Hue", "7");
    const auto dumps = RunDialog("dump -\nkey Enter\ndump -\n");
    ASSERT_EQ(dumps.size(), 2u);
    const nlohmann::json* box = FindWindow(dumps[0], "TMessageForm");
    ASSERT_NE(box, nullptr) << dumps[0].dump();
    EXPECT_NE(box->dump().find("Invalid data type for 'FormHue'"), std::string::npos) << box->dump();
    const nlohmann::json& dialog = Dialog(dumps[1]);
    ASSERT_FALSE(dialog.is_null());
    // Reading stopped at that value: manager 0 has its skin, group 1 its design hue.
    EXPECT_EQ(Manager(dialog, 0).at("SkinName"), "Golden (internal)");
    EXPECT_EQ(Control(dumps[1], "sComboBox0").at("text"), "Golden (internal)");
    EXPECT_EQ(Manager(dialog, 1).at("HueOffset"), 50);
}
