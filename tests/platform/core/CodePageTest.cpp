#include "platform/core/CodePage.h"
#include "platform/os/OsTestSupport.h"

#include <gtest/gtest.h>

TEST(CodePage, ValidUtf8IsKept) {
    TScopedEnv codePage("QUIBBLETON_CODEPAGE", std::nullopt);
    EXPECT_EQ(AnsiToDisplayText("Привет, world"), "Привет, world");
    EXPECT_EQ(AnsiToDisplayText("plain"), "plain");
}

TEST(CodePage, EnvironmentNamesAnotherCodePage) {
    TScopedEnv codePage("QUIBBLETON_CODEPAGE", std::string("1252"));
    EXPECT_EQ(AnsiCodePage(), "CP1252");
    EXPECT_EQ(AnsiToDisplayText("caf\xE9"), "café");
    TScopedEnv named("QUIBBLETON_CODEPAGE", std::string("cp1252"));
    EXPECT_EQ(AnsiToDisplayText("\x80"), "€");
}

TEST(CodePage, UnknownCodePageFallsBackToWindows1251) {
    TScopedEnv codePage("QUIBBLETON_CODEPAGE", std::string("NO-SUCH-PAGE"));
    EXPECT_EQ(AnsiToDisplayText("\xCF\xF0"), "Пр");
}

TEST(CodePage, UndefinedByteBecomesReplacementCharacter) {
    // 0x98 is the one byte Windows-1251 leaves undefined.
    EXPECT_EQ(DecodeCodePage("a\x98z", "CP1251"), "a\xEF\xBF\xBDz");
}

TEST(CodePage, Utf8ValidationRejectsOverlongAndSurrogates) {
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\x80"));
    EXPECT_FALSE(IsValidUtf8("\xD0"));
}

TEST(LetterCase, AsciiLettersOnly) {
    EXPECT_EQ(AnsiUpperCase("x.exe"), "X.EXE");
    EXPECT_EQ(AnsiUpperCase("\xEF\xF0"), "\xEF\xF0");
    EXPECT_EQ(AnsiLowerCase("AbC"), "abc");
    EXPECT_TRUE(SameText("Golden (internal)", "GOLDEN (INTERNAL)"));
    EXPECT_FALSE(SameText("a", "ab"));
    EXPECT_LT(CompareText("apple", "Banana"), 0);
}
