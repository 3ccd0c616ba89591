#include "platform/core/StrToInt.h"
#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::int32_t> Convert(std::string_view text) {
    std::int32_t value = 12345;
    if (!TryStrToInt(text, value)) return std::nullopt;
    return value;
}

} // namespace

TEST(StrToInt, AcceptsDecimalWithLeadingBlanksAndSign) {
    EXPECT_EQ(Convert(" 70"), 70);
    EXPECT_EQ(Convert("7"), 7);
    EXPECT_EQ(Convert("-5"), -5);
    EXPECT_EQ(Convert("+12"), 12);
    EXPECT_EQ(Convert("0007"), 7);
}

TEST(StrToInt, AcceptsEveryHexadecimalPrefix) {
    EXPECT_EQ(Convert("$46"), 70);
    EXPECT_EQ(Convert("0x1A"), 26);
    EXPECT_EQ(Convert("0X1a"), 26);
    EXPECT_EQ(Convert("x1A"), 26);
    EXPECT_EQ(Convert("X1A"), 26);
    EXPECT_EQ(Convert("  -$10"), -16);
}

TEST(StrToInt, HexadecimalWrapsAt32Bits) {
    EXPECT_EQ(Convert("$FFFFFFFF"), -1);
    EXPECT_EQ(Convert("$80000000"), INT32_MIN);
    EXPECT_EQ(Convert("$00000000FFFFFFFF"), -1);
    EXPECT_EQ(Convert("$100000000"), std::nullopt);
}

TEST(StrToInt, DecimalMustFitSigned32Bits) {
    EXPECT_EQ(Convert("2147483647"), INT32_MAX);
    EXPECT_EQ(Convert("-2147483648"), INT32_MIN);
    EXPECT_EQ(Convert("2147483648"), std::nullopt);
    EXPECT_EQ(Convert("-2147483649"), std::nullopt);
    EXPECT_EQ(Convert("99999999999999999999999"), std::nullopt);
}

TEST(StrToInt, RejectsAnythingElse) {
    for (const char* text : {"abc", "", " ", "12 ", "1 2", "-", "+", "$", "0x", "x", "--1", "+-1", "1.0",
                             "\t5", "$G", "0x1G", "1e3", "$-1"})
        EXPECT_EQ(Convert(text), std::nullopt) << "'" << text << "'";
}

TEST(StrToInt, DefaultAndThrowingForms) {
    EXPECT_EQ(StrToIntDef("abc", -1), -1);
    EXPECT_EQ(StrToIntDef("42", -1), 42);
    EXPECT_EQ(StrToInt("$46"), 70);
    try {
        StrToInt("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'abc' is not a valid integer value");
    }
}
