#include "platform/os/FileSystem.h"
#include "platform/os/OsTestSupport.h"
#include "platform/core/Exceptions.h"
#include "platform/os/ProgramPaths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(FileSystem, ExistenceTests) {
    TTempFolder folder;
    WriteTextFile(folder / "a.txt", "x");
    EXPECT_TRUE(FileExists(folder / "a.txt"));
    EXPECT_FALSE(FileExists(folder.Path()));
    EXPECT_FALSE(FileExists(folder / "b.txt"));
    EXPECT_TRUE(DirectoryExists(folder.Path()));
    EXPECT_FALSE(DirectoryExists(folder / "a.txt"));
}

TEST(FileSystem, ListingHasEveryEntrySortedWithFolderFlag) {
    TTempFolder folder;
    WriteTextFile(folder / "b.mvz", "x");
    ::mkdir((folder / "Alpha").c_str(), 0755);
    ::symlink((folder / "Alpha").c_str(), (folder / "link").c_str());
    const auto entries = ListDirectory(folder.Path());
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].Name, ".");
    EXPECT_EQ(entries[1].Name, "..");
    EXPECT_EQ(entries[2].Name, "Alpha");
    EXPECT_TRUE(entries[2].IsDirectory);
    EXPECT_EQ(entries[3].Name, "b.mvz");
    EXPECT_FALSE(entries[3].IsDirectory);
    EXPECT_EQ(entries[4].Name, "link");
    EXPECT_TRUE(entries[4].IsDirectory);
    EXPECT_TRUE(ListDirectory(folder / "missing").empty());
}

TEST(FileSystem, ReadsWholeFileByteForByte) {
    TTempFolder folder;
    const std::string bytes("a\0\xFF\r\n", 5);
    WriteTextFile(folder / "f", bytes);
    const auto read = ReadFileBytes(folder / "f");
    EXPECT_EQ(std::string(read.begin(), read.end()), bytes);
}

TEST(FileSystem, ReadingAFolderNamesFileAndReason) {
    TTempFolder folder;
    try {
        ReadFileBytes(folder.Path());
        FAIL() << "no exception";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(), "Cannot open file \"" + folder.Path() + "\". Is a directory");
    }
}

TEST(FileSystem, ReadingAMissingFileNamesTheReason) {
    TTempFolder folder;
    try {
        ReadFileBytes(folder / "Texts.txt");
        FAIL() << "no exception";
    } catch (const EFOpenError& error) {
        EXPECT_NE(error.Message().find("Texts.txt\". No such file or directory"), std::string::npos);
    }
}

TEST(FileSystem, AtomicWriteReplacesContentsAndLeavesNoTemporaryFile) {
    TTempFolder folder;
    WriteTextFile(folder / "s.reg", "old");
    ::chmod((folder / "s.reg").c_str(), 0600);
    WriteFileAtomically(folder / "s.reg", std::string_view("new"));
    EXPECT_EQ(ReadTextFile(folder / "s.reg"), "new");
    EXPECT_EQ(ListDirectory(folder.Path()).size(), 3u);
    struct stat info {};
    ::stat((folder / "s.reg").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(FileSystem, AtomicWriteIntoMissingFolderFailsCleanly) {
    TTempFolder folder;
    EXPECT_THROW(WriteFileAtomically(folder / "none/s.reg", std::string_view("x")), EFCreateError);
}

TEST(FileSystem, AtomicWriteKeepsSymbolicLink) {
    TTempFolder folder;
    WriteTextFile(folder / "target", "old");
    ::symlink((folder / "target").c_str(), (folder / "link").c_str());
    WriteFileAtomically(folder / "link", std::string_view("new"));
    EXPECT_EQ(ReadTextFile(folder / "target"), "new");
    struct stat info {};
    ::lstat((folder / "link").c_str(), &info);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST(FileSystem, ForceDirectoriesCreatesParents) {
    TTempFolder folder;
    EXPECT_TRUE(ForceDirectories(folder / "a/b/c/"));
    EXPECT_TRUE(DirectoryExists(folder / "a/b/c"));
    WriteTextFile(folder / "file", "x");
    EXPECT_FALSE(ForceDirectories(folder / "file/sub"));
}

TEST(FilePaths, ExtensionFromLastDotOfTheName) {
    EXPECT_EQ(ExtractFileExt("/opt/q/x.scr"), ".scr");
    EXPECT_EQ(ExtractFileExt("/opt/q/x.tar.EXE"), ".EXE");
    EXPECT_EQ(ExtractFileExt("/opt/q.d/x"), "");
    EXPECT_EQ(ExtractFileExt("x."), ".");
}

TEST(FilePaths, PathNameAndDelimiter) {
    EXPECT_EQ(ExtractFilePath("/opt/q/x.scr"), "/opt/q/");
    EXPECT_EQ(ExtractFilePath("x.scr"), "");
    EXPECT_EQ(ExtractFileName("/opt/q/x.scr"), "x.scr");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/opt/q"), "/opt/q/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/opt/q/"), "/opt/q/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/opt/q/"), "/opt/q");
}

TEST(ProgramPaths, FolderOfTheExecutableOrTheOverride) {
    {
        TScopedEnv home("QUIBBLETON_HOME", std::nullopt);
        EXPECT_EQ(ProgramFolder(), ExtractFilePath(ProgramFileName()));
        EXPECT_EQ(ProgramFileName().front(), '/');
        EXPECT_TRUE(FileExists(ProgramFileName()));
        EXPECT_EQ(ProgramFolder().back(), '/');
    }
    TScopedEnv home("QUIBBLETON_HOME", std::string("/srv/quibbleton"));
    EXPECT_EQ(ProgramFolder(), "/srv/quibbleton/");
}
