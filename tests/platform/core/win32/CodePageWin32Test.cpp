#include "platform/core/CodePage.h"
#include "platform/os/OsTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(CodePage, WithoutEnvironmentTheSystemsAnsiCodePage) {
    TScopedEnv codePage("QUIBBLETON_CODEPAGE", std::nullopt);
    EXPECT_EQ(AnsiCodePage(), "CP" + std::to_string(::GetACP()));
}

TEST(CodePage, InvalidUtf8DecodesFromTheNamedCodePage) {
    TScopedEnv codePage("QUIBBLETON_CODEPAGE", std::string("1251"));
    EXPECT_EQ(AnsiToDisplayText("\xCF\xF0"), "Пр");
}

TEST(CodePage, Utf8ToAnsiEncodesAndReplacesMissingCharacters) {
    TScopedEnv codePage("QUIBBLETON_CODEPAGE", std::string("CP1251"));
    EXPECT_EQ(Utf8ToAnsi("Пр"), "\xCF\xF0");
    EXPECT_EQ(Utf8ToAnsi("a€😀b"), "a\x88?b");
}

TEST(CodePage, KoiAndIsoNamesReachTheSystemsTables) {
    EXPECT_EQ(DecodeCodePage("\xF0\xD2", "KOI8-R"), "Пр");
    EXPECT_EQ(DecodeCodePage("caf\xE9", "ISO-8859-1"), "café");
}

TEST(CodePage, DoubleByteCharactersDecodeWholeAndBrokenOnesAlone) {
    // Shift JIS: 0x82 0xA0 is one hiragana letter; a lead byte at the end has no partner.
    EXPECT_EQ(DecodeCodePage("a\x82\xA0", "CP932"), "aあ");
    EXPECT_EQ(DecodeCodePage("a\x82", "CP932"), "a\xEF\xBF\xBD");
}
