// Whole-file reads take regular files only, never wait on a FIFO or a device, and stop at
// the size their use allows.
#include "platform/os/OsTestSupport.h"
#include "platform/core/Exceptions.h"
#include "platform/os/FileSystem.h"
#include "platform/os/TRegistry.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A hang would end the test binary here instead of holding the test run for ever.
class NoHang {
public:
    NoHang() { ::alarm(20); }
    ~NoHang() { ::alarm(0); }
};

std::string ErrorOf(const std::string& path, std::int64_t limit = DefaultMaxFileSize) {
    try {
        ReadFileBytes(path, limit);
    } catch (const EFOpenError& error) {
        return error.what();
    }
    return {};
}

} // namespace

TEST(SpecialFiles, LinkToADeviceIsRefused) {
    NoHang guard;
    TTempFolder folder;
    std::filesystem::create_symlink("/dev/zero", folder / "Texts.txt");
    EXPECT_EQ(ErrorOf(folder / "Texts.txt"),
              "Cannot open file \"" + (folder / "Texts.txt") + "\". It is not a regular file");
}

TEST(SpecialFiles, FifoIsRefusedWithoutWaiting) {
    NoHang guard;
    TTempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "Texts.txt").c_str(), 0600), 0);
    EXPECT_NE(ErrorOf(folder / "Texts.txt").find("It is not a regular file"), std::string::npos);
}

TEST(SpecialFiles, FolderStillNamesItsReason) {
    TTempFolder folder;
    EXPECT_NE(ErrorOf(folder.Path()).find("Is a directory"), std::string::npos);
}

TEST(SpecialFiles, FileAboveTheLimitIsRefusedAndAtTheLimitRead) {
    TTempFolder folder;
    WriteTextFile(folder / "a.txt", "12345");
    EXPECT_NE(ErrorOf(folder / "a.txt", 4).find("It is larger than 4 bytes"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(folder / "a.txt", 5).size(), 5u);
}

TEST(SpecialFiles, SettingsStoreAsFifoOpensNoKey) {
    NoHang guard;
    TTempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "store.reg").c_str(), 0600), 0);
    TRegistry registry(folder / "store.reg");
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(registry.OpenKey("Software\\Quibbleton", true));
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "store.reg"));
}
