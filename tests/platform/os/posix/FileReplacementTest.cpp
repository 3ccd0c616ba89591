// A write replaces only a regular file that may be written; a FIFO, a device, a link that
// leads to one or nowhere, and a read-only file stay as they are.
#include "platform/os/OsTestSupport.h"
#include "platform/core/Exceptions.h"
#include "platform/os/FileSystem.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// A write that opened the FIFO for writing would wait here for a reader for ever.
class NoHang {
public:
    NoHang() { ::alarm(20); }
    ~NoHang() { ::alarm(0); }
};

std::string WriteError(const std::string& path) {
    try {
        WriteFileAtomically(path, std::string_view("new"));
    } catch (const EFCreateError& error) {
        return error.what();
    }
    return "no error";
}

bool OnlyEntry(const TTempFolder& folder, const std::string& name) {
    std::vector<std::string> names;
    for (const TDirEntry& entry : ListDirectory(folder.Path()))
        if (entry.Name != "." && entry.Name != "..") names.push_back(entry.Name);
    return names == std::vector<std::string>{name};
}

std::string NotRegular(const std::string& path) {
    return "Cannot create file \"" + path + "\". It is not a regular file";
}

} // namespace

TEST(FileReplacement, FifoIsRefusedAndStays) {
    NoHang guard;
    TTempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "out.png").c_str(), 0600), 0);
    EXPECT_EQ(WriteError(folder / "out.png"), NotRegular(folder / "out.png"));
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "out.png"));
    EXPECT_TRUE(OnlyEntry(folder, "out.png"));
}

TEST(FileReplacement, LinkToAFifoIsRefusedAndBothStay) {
    NoHang guard;
    TTempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder / "pipe", folder / "out.png");
    EXPECT_EQ(WriteError(folder / "out.png"), NotRegular(folder / "pipe"));
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "pipe"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "out.png"));
}

TEST(FileReplacement, DeviceNodeIsRefusedAndStays) {
    TTempFolder folder;
    // The same device as the system's null device, made in the test's own folder.
    if (::mknod((folder / "null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
        GTEST_SKIP() << "no right to make device nodes here";
    EXPECT_EQ(WriteError(folder / "null"), NotRegular(folder / "null"));
    EXPECT_TRUE(std::filesystem::is_character_file(folder / "null"));
    EXPECT_TRUE(OnlyEntry(folder, "null"));
}

TEST(FileReplacement, LinkToTheNullDeviceIsRefusedAndTheDeviceStays) {
    TTempFolder folder;
    std::filesystem::create_symlink("/dev/null", folder / "out.png");
    EXPECT_EQ(WriteError(folder / "out.png"), NotRegular("/dev/null"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_EQ(std::filesystem::read_symlink(folder / "out.png"), "/dev/null");
    EXPECT_TRUE(OnlyEntry(folder, "out.png"));
}

TEST(FileReplacement, LinkLeadingNowhereIsRefusedAndStays) {
    TTempFolder folder;
    std::filesystem::create_symlink(folder / "missing", folder / "out.png");
    EXPECT_EQ(WriteError(folder / "out.png"), NotRegular(folder / "out.png"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "out.png"));
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

TEST(FileReplacement, FolderIsRefusedWithItsReason) {
    TTempFolder folder;
    ForceDirectories(folder / "out.png");
    EXPECT_EQ(WriteError(folder / "out.png"),
              "Cannot create file \"" + (folder / "out.png") + "\". Is a directory");
    EXPECT_TRUE(DirectoryExists(folder / "out.png"));
}

// The mode bits count for root too, whom the system's access checks let write anything.
TEST(FileReplacement, ReadOnlyFileIsRefusedAndKeepsItsBytes) {
    TTempFolder folder;
    WriteTextFile(folder / "registry.reg", "old");
    ASSERT_EQ(::chmod((folder / "registry.reg").c_str(), 0444), 0);
    EXPECT_EQ(WriteError(folder / "registry.reg"),
              "Cannot create file \"" + (folder / "registry.reg") + "\". Permission denied");
    EXPECT_EQ(ReadTextFile(folder / "registry.reg"), "old");
    struct stat info {};
    ::stat((folder / "registry.reg").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
    EXPECT_TRUE(OnlyEntry(folder, "registry.reg"));
}

TEST(FileReplacement, FileOnlyItsGroupMayWriteIsNotReadOnly) {
    TTempFolder folder;
    WriteTextFile(folder / "out.png", "old");
    ASSERT_EQ(::chmod((folder / "out.png").c_str(), 0464), 0);
    const bool mayWrite = ::access((folder / "out.png").c_str(), W_OK) == 0;
    EXPECT_EQ(WriteError(folder / "out.png") == "no error", mayWrite);
    EXPECT_EQ(ReadTextFile(folder / "out.png"), mayWrite ? "new" : "old");
}

TEST(FileReplacement, ReplaceableFileIsTheLinksTarget) {
    TTempFolder folder;
    WriteTextFile(folder / "target", "old");
    std::filesystem::create_symlink(folder / "target", folder / "link");
    EXPECT_EQ(ReplaceableFile(folder / "link"), folder / "target");
    EXPECT_EQ(ReplaceableFile(folder / "new"), folder / "new");
    EXPECT_EQ(ReadTextFile(folder / "target"), "old");
    EXPECT_FALSE(FileExists(folder / "new"));
}
