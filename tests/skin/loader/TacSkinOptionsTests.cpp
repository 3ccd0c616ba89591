#include <gtest/gtest.h>

#include "skin/TacSkinOptions.h"

TEST(OptionsText, AcceptsEveryLineEnd) {
    const auto options = TacSkinOptions::Parse(std::string_view("[A]\r\nX=1\rY=2\nZ=3"));
    EXPECT_EQ(options.ReadString("A", "X", ""), "1");
    EXPECT_EQ(options.ReadString("A", "Y", ""), "2");
    EXPECT_EQ(options.ReadString("A", "Z", ""), "3");
}

TEST(OptionsText, NulEndsTheText) {
    const std::string text("[A]\nX=1\n\0Y=2\n", 13);
    const auto options = TacSkinOptions::Parse(std::string_view(text));
    EXPECT_TRUE(options.Value("A", "X").has_value());
    EXPECT_FALSE(options.Value("A", "Y").has_value());
}

TEST(OptionsText, TrimsAndSkipsCommentsAndLeadingLines) {
    const auto options =
        TacSkinOptions::Parse(std::string_view("X=0\n  ; note\n\t[ EDIT ] \n  COLOR = 5 \t\n"));
    ASSERT_EQ(options.Sections().size(), 1u);
    EXPECT_EQ(options.Sections()[0].Name, "EDIT");
    EXPECT_EQ(options.ReadString("EDIT", "COLOR", ""), "5");
    EXPECT_FALSE(options.Value("EDIT", "X").has_value());
}

TEST(OptionsText, LineWithoutEqualsIsKeyWithoutValue) {
    const auto options = TacSkinOptions::Parse(std::string_view("[A]\nLONELY\n"));
    ASSERT_TRUE(options.Value("A", "LONELY").has_value());
    EXPECT_EQ(*options.Value("A", "LONELY"), "");
}

TEST(OptionsText, LookupsIgnoreCaseAndKeepOrder) {
    const auto options = TacSkinOptions::Parse(std::string_view("[B]\nk2=x\nK1=y\n[a]\n"));
    EXPECT_EQ(options.ReadString("b", "K2", ""), "x");
    EXPECT_EQ(options.Sections()[0].Entries[0].Key, "k2");
    EXPECT_EQ(options.Sections()[1].Name, "a");
}

TEST(OptionsText, IntegerReadsHexAndFallsBack) {
    const auto options = TacSkinOptions::Parse(std::string_view("[A]\nH=0x10\nD=$20\nN=N/A\nE=\n"));
    EXPECT_EQ(options.ReadInteger("A", "H", 0), 16);
    EXPECT_EQ(options.ReadInteger("A", "D", 0), 32);
    EXPECT_EQ(options.ReadInteger("A", "N", 7), 7);
    EXPECT_EQ(options.ReadInteger("A", "E", 7), 7);
    EXPECT_EQ(options.ReadInteger("A", "MISSING", 9), 9);
}

TEST(OptionsText, RepeatedSectionGathersKeys) {
    const auto options = TacSkinOptions::Parse(std::string_view("[A]\nX=1\n[B]\n[A]\nY=2\n"));
    ASSERT_EQ(options.Sections().size(), 2u);
    EXPECT_EQ(options.ReadString("A", "Y", ""), "2");
}
