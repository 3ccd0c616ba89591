// The stored phrase position survives a start that never read it, and special files in
// place of the phrase file or the settings store end in a clear error instead of a hang.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>

#include "platform/os/TRegistry.h"
#include "tests/app/e2e/ScriptLines.h"
#include "tests/app/support/TProgramSandbox.h"

namespace {

// Shows the start-up state, dismisses the start-up message and closes the main screen.
const std::string DismissAndClose = "dump -\nkey Enter\n" + script::PressBackground();

std::string MessageOf(const TRunResult& run) {
    const auto dumps = run.Dumps();
    if (dumps.empty()) return {};
    const auto* box = FindWindow(dumps[0], "TMessageForm");
    return box ? box->dump() : std::string();
}

} // namespace

TEST(StoredPhrase, KeptWhenThePhraseFileCannotBeRead) {
    TProgramSandbox sandbox;
    std::filesystem::create_directory(sandbox.PhrasePath());
    sandbox.WriteSetting("LastFrase", "7");
    const TRunResult run = sandbox.Run({"/s"}, DismissAndClose);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(MessageOf(run).find("Texts.txt"), std::string::npos) << run.Out;
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "7");
}

TEST(StoredPhrase, KeptWhenTheStoredValueHasTheWrongType) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\ntwo\n");
    sandbox.WriteIntegerSetting("LastFrase", 7);
    const TRunResult run = sandbox.Run({"/s"}, DismissAndClose);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(MessageOf(run).find("Invalid data type for 'LastFrase'"), std::string::npos) << run.Out;
    TRegistry registry(sandbox.RegistryPath().string());
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey("Software\\Quibbleton", false));
    EXPECT_EQ(registry.ReadInteger("LastFrase"), 7);
}

TEST(StoredPhrase, NothingStoredBeforeStillStoresMinusOne) {
    TProgramSandbox sandbox;
    std::filesystem::create_directory(sandbox.PhrasePath());
    const TRunResult run = sandbox.Run({"/s"}, DismissAndClose);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "-1");
}

TEST(StoredPhrase, ReadAndNotMovedIsWrittenBackUnchanged) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\ntwo\n");
    sandbox.WriteSetting("LastFrase", "abc");
    const TRunResult run = sandbox.Run({"/s"}, script::PressBackground());
    EXPECT_EQ(run.Status, 0) << run.Err;
    // A value that was read but is no number stands for -1, which closing stores.
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "-1");
}

TEST(SpecialFiles, PhraseFileAsFifoIsAnErrorNotAHang) {
    TProgramSandbox sandbox;
    ASSERT_EQ(::mkfifo(sandbox.PhrasePath().c_str(), 0600), 0);
    sandbox.WriteSetting("LastFrase", "1");
    const TRunResult run = sandbox.Run({"/s"}, DismissAndClose);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(MessageOf(run).find("It is not a regular file"), std::string::npos) << run.Out;
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "1");
}

TEST(SpecialFiles, PhraseFileLinkedToADeviceIsAnError) {
    TProgramSandbox sandbox;
    std::filesystem::create_symlink("/dev/zero", sandbox.PhrasePath());
    const TRunResult run = sandbox.Run({"/s"}, DismissAndClose);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(MessageOf(run).find("It is not a regular file"), std::string::npos) << run.Out;
}

TEST(SpecialFiles, SettingsStoreAsFifoIsIgnoredNotAHang) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\ntwo\n");
    ASSERT_EQ(::mkfifo(sandbox.RegistryPath().c_str(), 0600), 0);
    const TRunResult run = sandbox.Run({"/s"}, script::ClickAndDumpPhrase() + script::PressBackground());
    EXPECT_EQ(run.Status, 0) << run.Err;
    ASSERT_EQ(run.Dumps().size(), 1u) << run.Err;
    std::error_code error;
    EXPECT_TRUE(std::filesystem::is_fifo(sandbox.RegistryPath(), error));
}
