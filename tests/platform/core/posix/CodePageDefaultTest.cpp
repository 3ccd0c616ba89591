#include "platform/core/CodePage.h"
#include "platform/os/OsTestSupport.h"

#include <gtest/gtest.h>

// Without QUIBBLETON_CODEPAGE the code page is Windows-1251.
TEST(CodePage, InvalidUtf8DecodesAsWindows1251) {
    TScopedEnv codePage("QUIBBLETON_CODEPAGE", std::nullopt);
    EXPECT_EQ(AnsiToDisplayText("\xCF\xF0"), "Пр");
}

TEST(CodePage, Utf8ToAnsiEncodesAndReplacesMissingCharacters) {
    TScopedEnv codePage("QUIBBLETON_CODEPAGE", std::nullopt);
    EXPECT_EQ(Utf8ToAnsi("Пр"), "\xCF\xF0");
    EXPECT_EQ(Utf8ToAnsi("a€😀b"), "a\x88?b");
}
