#include "app/PhraseFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/Exceptions.h"
#include "platform/os/OsTestSupport.h"
#include "platform/os/TStringList.h"

namespace {

class PhraseFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder =
            std::filesystem::temp_directory_path() /
            ("quibbleton-phrases-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string Write(const std::string& bytes) {
        const std::string path = (m_folder / "Texts.txt").string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path m_folder;
    TStringList m_list;
};

} // namespace

TEST_F(PhraseFile, MissingFileLeavesTheListEmpty) {
    LoadPhraseFile((m_folder / "Texts.txt").string(), m_list);
    EXPECT_EQ(m_list.Count(), 0);
}

TEST_F(PhraseFile, TrailingLineBreakAddsNoPhraseButAnEmptyLineBeforeItIsOne) {
    LoadPhraseFile(Write("one\r\ntwo\r\n\r\n"), m_list);
    ASSERT_EQ(m_list.Count(), 3);
    EXPECT_EQ(m_list[2], "");
}

TEST_F(PhraseFile, LinesEndAtCrLfLoneCrAndLoneLf) {
    LoadPhraseFile(Write("a\rb\nc\r\nd"), m_list);
    ASSERT_EQ(m_list.Count(), 4);
    EXPECT_EQ(m_list[3], "d");
}

TEST_F(PhraseFile, KeepsBlanksOfAPhrase) {
    LoadPhraseFile(Write("  spaced  \n"), m_list);
    ASSERT_EQ(m_list.Count(), 1);
    EXPECT_EQ(m_list[0], "  spaced  ");
}

TEST_F(PhraseFile, NulByteEndsTheText) {
    LoadPhraseFile(Write(std::string("a\nb\0c\n\xFF", 8)), m_list);
    ASSERT_EQ(m_list.Count(), 2);
    EXPECT_EQ(m_list[1], "b");
}

TEST_F(PhraseFile, Utf8FileShowsAsItStands) {
    const TPhraseEncoding encoding = LoadPhraseFile(Write("Привет\n"), m_list);
    EXPECT_EQ(PhraseForDisplay(m_list[0], encoding), "Привет");
}

TEST_F(PhraseFile, EightBitFileIsDecodedFromTheCodePage) {
    // "Привет" in Windows-1251, the code page of a Russian system (on Windows the system's own
    // unless the variable names one).
    const TScopedEnv codePage("QUIBBLETON_CODEPAGE", "1251");
    const TPhraseEncoding encoding = LoadPhraseFile(Write("\xCF\xF0\xE8\xE2\xE5\xF2\r\n"), m_list);
    ASSERT_EQ(encoding, TPhraseEncoding::AnsiCodePage);
    EXPECT_EQ(PhraseForDisplay(m_list[0], encoding), "Привет");
}

TEST_F(PhraseFile, FolderOfThatNameFailsWithTheFileNameAndReason) {
    const std::string path = (m_folder / "Texts.txt").string();
    std::filesystem::create_directory(path);
    m_list.Add("kept");
    try {
        LoadPhraseFile(path, m_list);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_EQ(m_list.Count(), 1);
}
