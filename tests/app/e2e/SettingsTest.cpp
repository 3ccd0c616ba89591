#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/os/TFileLock.h"
#include "platform/os/TRegistry.h"
#include "tests/app/e2e/ScriptLines.h"
#include "tests/app/support/TProgramSandbox.h"

TEST(Settings, FirstStartCreatesTheKeyEmpty) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\n");
    EXPECT_EQ(sandbox.Run({"/s"}, "dump -\n").Status, 0);
    EXPECT_NE(sandbox.ReadSetting("Nothing"), "x");
    ASSERT_TRUE(std::filesystem::exists(sandbox.RegistryPath()));
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), std::nullopt);
}

TEST(Settings, WrongTypeIsReportedAndTheWindowStillOpens) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\ntwo\n");
    sandbox.WriteIntegerSetting("LastFrase", 1);
    const TRunResult run = sandbox.Run({"/s"}, "dump -\nkey Enter\ndump -\n");
    const auto dumps = run.Dumps();
    ASSERT_EQ(dumps.size(), 2u) << run.Err;
    const auto* box = FindWindow(dumps[0], "TMessageForm");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->dump().find("Invalid data type for 'LastFrase'"), std::string::npos) << box->dump();
    const auto* form = FindWindow(dumps[1], "TForm1");
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->at("visible").get<bool>());
    EXPECT_EQ(FindWindow(dumps[1], "TMessageForm"), nullptr);
}

TEST(Settings, KeyThatCannotBeOpenedIsSilent) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\ntwo\n");
    // A store that cannot be parsed opens no key and is never overwritten.
    std::filesystem::create_directory(sandbox.RegistryPath());
    const TRunResult run =
        sandbox.Run({"/s"}, script::ClickAndDumpPhrase() + script::PressBackground() + "dump -\n");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Dumps().size(), 1u) << run.Err;
    EXPECT_TRUE(std::filesystem::is_directory(sandbox.RegistryPath()));
}

namespace {

// Shows a phrase, closes the main screen with a press on its background and closes the
// message that closing shows; the program ends with the message and without storing.
void ExpectSaveOnCloseRefused(const TProgramSandbox& sandbox) {
    const std::string stored = sandbox.RegistryBytes();
    const TRunResult run = sandbox.Run({"/s"}, script::ClickAndDumpPhrase() + script::PressBackground() +
                                                   "dump -\nkey Enter\nwait 10\ndump -\n");
    EXPECT_EQ(run.Status, 0);
    const auto dumps = run.Dumps();
    ASSERT_EQ(dumps.size(), 2u) << "the program did not end after the message: " << run.Out;
    const auto* box = FindWindow(dumps[1], "TMessageForm");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(box->dump().find("Failed to set data for 'LastFrase'"), std::string::npos) << box->dump();
    EXPECT_EQ(sandbox.RegistryBytes(), stored);
}

} // namespace

TEST(Settings, FailedSaveOnCloseIsReportedAndTheProgramStillEnds) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\ntwo\n");
    sandbox.WriteSetting("LastFrase", "0");
    // The store can still be read, but no change can take its lock.
    const std::string lock = sandbox.RegistryPath().string() + ".lock";
    std::filesystem::remove(lock);
    std::filesystem::create_directory(lock);
    ExpectSaveOnCloseRefused(sandbox);
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "0");
}

TEST(Settings, SaveOnCloseWhileAnotherProcessHoldsTheLockFailsAfterAWait) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\ntwo\n");
    sandbox.WriteSetting("LastFrase", "0");
    sandbox.WriteSetting("FormHue", "30");
    TFileLock holder;
    ASSERT_EQ(holder.Lock(sandbox.RegistryPath().string() + ".lock"), TLockResult::Acquired);
    ExpectSaveOnCloseRefused(sandbox);
    holder.Unlock();
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "0");
    EXPECT_EQ(sandbox.ReadSetting("FormHue"), "30");
}

TEST(Settings, SaveOnCloseThatWouldOutgrowWhatTheProgramReadsFails) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\ntwo\n");
    sandbox.WriteSetting("Filler", "");
    const std::size_t filler = std::size_t(TRegistry::MaxStoreFileSize) - 5 - sandbox.RegistryBytes().size();
    sandbox.WriteSetting("Filler", std::string(filler, 'x'));
    ExpectSaveOnCloseRefused(sandbox);
    EXPECT_EQ(sandbox.ReadSetting("Filler").value_or("").size(), filler);
}

TEST(Settings, SaveOnCloseOnAReadOnlyStoreFails) {
    TProgramSandbox sandbox;
    sandbox.WritePhrases("one\ntwo\n");
    sandbox.WriteSetting("LastFrase", "0");
    std::filesystem::permissions(sandbox.RegistryPath(), std::filesystem::perms(0444));
    ExpectSaveOnCloseRefused(sandbox);
    EXPECT_EQ(sandbox.ReadSetting("LastFrase"), "0");
}
