#include "platform/core/Exceptions.h"
#include "platform/os/FileSystem.h"
#include "platform/os/OsTestSupport.h"
#include "platform/os/ProgramPaths.h"

#include <algorithm>

#include <gtest/gtest.h>
#include <windows.h>

namespace {

// The file's bytes through the system's own wide call.
std::string ReadWide(const std::wstring& path) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[256];
    DWORD got = 0;
    ::ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    ::CloseHandle(file);
    return std::string(buffer, got);
}

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

bool StartsWithDrive(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           path[2] == '/';
}

} // namespace

TEST(FileSystemWin32, NonAsciiNamesAreTheSystemsWideNames) {
    TTempFolder folder;
    WriteFileAtomically(folder / "Фразы €.txt", std::string_view("abc"));
    EXPECT_EQ(ReadWide(Wide(folder.Path()) + L"Фразы €.txt"), "abc");
    EXPECT_TRUE(FileExists(folder / "Фразы €.txt"));
    const auto bytes = ReadFileBytes(folder / "Фразы €.txt");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abc");
    const auto entries = ListDirectory(folder.Path());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].Name, "Фразы €.txt");
}

TEST(FileSystemWin32, ListingIsSortedByteForByteWithFolderFlags) {
    TTempFolder folder;
    WriteTextFile(folder / "b.mvz", "x");
    ASSERT_TRUE(MakeDirectory(folder / "Alpha"));
    WriteTextFile(folder / "a.txt", "x");
    const auto entries = ListDirectory(folder.Path());
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].Name, ".");
    EXPECT_EQ(entries[1].Name, "..");
    EXPECT_EQ(entries[2].Name, "Alpha");
    EXPECT_TRUE(entries[2].IsDirectory);
    EXPECT_EQ(entries[3].Name, "a.txt");
    EXPECT_FALSE(entries[3].IsDirectory);
    EXPECT_EQ(entries[4].Name, "b.mvz");
    EXPECT_TRUE(ListDirectory(folder / "missing").empty());
}

TEST(FileSystemWin32, BackslashesAndSlashesReachTheSameFile) {
    TTempFolder folder;
    ASSERT_TRUE(ForceDirectories(folder / "one/two"));
    WriteTextFile(folder / "one/two/f.txt", "x");
    std::string backslashed = folder / "one\\two\\f.txt";
    EXPECT_TRUE(FileExists(backslashed));
    EXPECT_TRUE(DirectoryExists(folder / "one\\two"));
    EXPECT_EQ(RealPath(backslashed), RealPath(folder / "one/two/f.txt"));
}

TEST(FileSystemWin32, RealPathHasTheDriveAndSlashes) {
    TTempFolder folder;
    WriteTextFile(folder / "f.txt", "x");
    const std::string real = RealPath(folder / "f.txt");
    EXPECT_TRUE(StartsWithDrive(real)) << real;
    EXPECT_EQ(real.find('\\'), std::string::npos);
    EXPECT_EQ(ExtractFileName(real), "f.txt");
    EXPECT_EQ(RealPath(folder / "missing"), "");
}

TEST(FileSystemWin32, ProgramFolderHasTheDriveAndEndsWithASlash) {
    TScopedEnv home("QUIBBLETON_HOME", std::nullopt);
    const std::string folder = ProgramFolder();
    EXPECT_TRUE(StartsWithDrive(folder)) << folder;
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder.find('\\'), std::string::npos);
    EXPECT_TRUE(FileExists(ProgramFileName()));
    EXPECT_EQ(ExtractFilePath(ProgramFileName()), folder);
}

TEST(FileSystemWin32, HomeVariableReplacesTheProgramFolder) {
    TScopedEnv home("QUIBBLETON_HOME", std::string("C:/Games/Quibbleton"));
    EXPECT_EQ(ProgramFolder(), "C:/Games/Quibbleton/");
}

TEST(FileSystemWin32, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
    TTempFolder folder;
    WriteTextFile(folder / "settings", "old contents");
    WriteFileAtomically(folder / "settings", std::string_view("new"));
    EXPECT_EQ(ReadTextFile(folder / "settings"), "new");
    EXPECT_EQ(ListDirectory(folder.Path()).size(), 3u);
}

TEST(FileSystemWin32, AtomicWriteCreatesAMissingFile) {
    TTempFolder folder;
    WriteFileAtomically(folder / "new.txt", std::string_view("1"));
    EXPECT_EQ(ReadTextFile(folder / "new.txt"), "1");
}

TEST(FileSystemWin32, FolderIsRefusedForReadingAndWriting) {
    TTempFolder folder;
    ASSERT_TRUE(MakeDirectory(folder / "sub"));
    EXPECT_THROW(ReadFileBytes(folder / "sub"), EFOpenError);
    EXPECT_THROW(WriteFileAtomically(folder / "sub", std::string_view("x")), EFCreateError);
    EXPECT_TRUE(DirectoryExists(folder / "sub"));
}

TEST(FileSystemWin32, ReadOnlyFileIsNotReplaced) {
    TTempFolder folder;
    WriteTextFile(folder / "locked", "old");
    ASSERT_TRUE(::SetFileAttributesW((Wide(folder.Path()) + L"locked").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(WriteFileAtomically(folder / "locked", std::string_view("new")), EFCreateError);
    EXPECT_EQ(ReadTextFile(folder / "locked"), "old");
    ::SetFileAttributesW((Wide(folder.Path()) + L"locked").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileSystemWin32, DeviceNamesAreNotRegularFiles) {
    EXPECT_THROW(ReadFileBytes("NUL"), EFOpenError);
    EXPECT_THROW(ReadFileBytes("//./NUL"), EFOpenError);
}

TEST(FileSystemWin32, ReadIsBoundedBySize) {
    TTempFolder folder;
    WriteTextFile(folder / "big", std::string(100, 'x'));
    EXPECT_THROW(ReadFileBytes(folder / "big", 99), EFOpenError);
    EXPECT_EQ(ReadFileBytes(folder / "big", 100).size(), 100u);
}

TEST(FileSystemWin32, PathsPastTheClassicLimitWork) {
    TTempFolder folder;
    std::string deep = folder.Path();
    for (int i = 0; i < 12; ++i)
        deep += std::string(30, char('a' + i)) + "/";
    ASSERT_GT(deep.size(), 300u);
    ASSERT_TRUE(ForceDirectories(deep));
    WriteFileAtomically(deep + "f.txt", std::string_view("long"));
    const auto bytes = ReadFileBytes(deep + "f.txt");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "long");
    EXPECT_TRUE(FileStatus(deep + "f.txt").Exists);
}

TEST(FileSystemWin32, StatusTellsAChangedFileApart) {
    TTempFolder folder;
    WriteTextFile(folder / "f", "one");
    const TFileStatus before = FileStatus(folder / "f");
    EXPECT_TRUE(before.Exists);
    EXPECT_EQ(before.Size, 3);
    WriteFileAtomically(folder / "f", std::string_view("three"));
    const TFileStatus after = FileStatus(folder / "f");
    EXPECT_EQ(after.Size, 5);
    EXPECT_FALSE(FileStatus(folder / "missing").Exists);
    EXPECT_FALSE(IsSymbolicLink(folder / "f"));
}

TEST(FileSystemWin32, PathsWithBackslashesSplitAtThem) {
    EXPECT_EQ(ExtractFilePath("Z:\\tmp\\shots\\main.png"), "Z:\\tmp\\shots\\");
    EXPECT_EQ(ExtractFileName("Z:\\tmp\\shots\\main.png"), "main.png");
    EXPECT_EQ(ExtractFileName("C:/Games\\Quibbleton/Quibbleton.scr"), "Quibbleton.scr");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\Games\\"), "C:\\Games\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\Games\\"), "C:\\Games");
}

TEST(FileSystemWin32, AFileWrittenAtABackslashedPathReplacesItWhole) {
    TTempFolder folder;
    std::string path = folder / "dump.json";
    std::replace(path.begin(), path.end(), '/', '\\');
    WriteFileAtomically(path, std::string_view("first"));
    WriteFileAtomically(path, std::string_view("second"));
    EXPECT_EQ(ReadWide(Wide(path)), "second");
    ForceDirectories(folder / "deeper\\still");
    EXPECT_TRUE(DirectoryExists(folder / "deeper/still"));
}
