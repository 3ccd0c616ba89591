#include <gtest/gtest.h>

#include "platform/core/Utf8.h"

TEST(Utf8Decode, ReadsOneToFourByteSequences) {
    EXPECT_EQ(Utf8::Decode("a\xC3\xA9\xD0\x9A\xE2\x82\xAC\xF0\x9F\x98\x80"),
              U"a\u00E9\u041A\u20AC\U0001F600");
}

TEST(Utf8Decode, EachInvalidByteBecomesOneReplacementCharacter) {
    EXPECT_EQ(Utf8::Decode("\xFF"), U"\uFFFD");
    EXPECT_EQ(Utf8::Decode("\xC0\xAF"), U"\uFFFD\uFFFD");                      // overlong slash
    EXPECT_EQ(Utf8::Decode("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");            // surrogate
    EXPECT_EQ(Utf8::Decode("x\xE2\x82"), U"x\uFFFD\uFFFD");                    // cut short
    EXPECT_EQ(Utf8::Decode("\xF4\x90\x80\x80"), std::u32string(4, U'\uFFFD')); // past U+10FFFF
}

TEST(Utf8Encode, RoundTripsAndReplacesInvalidCodePoints) {
    const std::string text = "Кнопулечка \xF0\x9F\x98\x80";
    EXPECT_EQ(Utf8::Encode(Utf8::Decode(text)), text);
    EXPECT_EQ(Utf8::Encode(std::u32string(1, char32_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Utf8DecodeOne, GivesTheLengthAndCodePointAtAPosition) {
    char32_t value = 0;
    EXPECT_EQ(Utf8::DecodeOne("a\xD0\x9A", 1, value), 2u);
    EXPECT_EQ(value, U'\u041A');
    EXPECT_EQ(Utf8::DecodeOne("\xE2\x82", 0, value), 0u); // cut short
    EXPECT_EQ(value, U'\u041A');
    EXPECT_EQ(Utf8::DecodeOne("a", 1, value), 0u); // past the end
}
