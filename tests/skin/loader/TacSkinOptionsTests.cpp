#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/core/CodePage.h"

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

// Names differ in letter case, punctuation that sorts between the upper- and lower-case
// letters, bytes above 127, repeated keys and reopened sections; every lookup, in any letter
// case, answers what searching the entries in file order answers.
TEST(OptionsText, LookupsAgreeWithSearchingTheEntriesInOrder) {
    std::mt19937 random(4711);
    const std::vector<std::string> names = {"A",    "a_b", "A_B", "[X",  "_",     "Z",     "z",  "\xC4",
                                            "\xE4", "AB",  "ab",  "A B", "COLOR", "color", "B1", "b1["};
    auto randomCase = [&](std::string name) {
        for (char& c : name)
            if (random() % 2) c = char(std::toupper(static_cast<unsigned char>(c)));
        return name;
    };
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int line = 0; line < 30; ++line) {
            const std::string& name = names[random() % names.size()];
            if (random() % 4 == 0)
                text += "[" + name + "]\n";
            else
                text += name + "=" + std::to_string(line) + "\n";
        }
        const TacSkinOptions options = TacSkinOptions::Parse(std::string_view(text));
        for (std::size_t s = 0; s < options.Sections().size(); ++s)
            for (std::size_t e = 0; e < options.Sections()[s].Entries.size(); ++e) {
                const auto& entry = options.Sections()[s].Entries[e];
                EXPECT_EQ(options.FirstValue(s, e), options.Value(options.Sections()[s].Name, entry.Key))
                    << text;
            }
        for (const std::string& section : names)
            for (const std::string& key : names) {
                const std::string askedSection = randomCase(section);
                const std::string askedKey = randomCase(key);
                std::optional<std::string_view> expected;
                std::optional<std::size_t> position;
                for (std::size_t s = 0; s < options.Sections().size() && !position; ++s)
                    if (SameText(options.Sections()[s].Name, askedSection)) position = s;
                if (position)
                    for (const auto& entry : options.Sections()[*position].Entries)
                        if (SameText(entry.Key, askedKey)) {
                            expected = entry.Value;
                            break;
                        }
                EXPECT_EQ(options.SectionPosition(askedSection), position) << text;
                EXPECT_EQ(options.Value(askedSection, askedKey), expected)
                    << text << askedSection << askedKey;
                if (position) {
                    EXPECT_EQ(options.ValueIn(*position, askedKey), expected);
                }
            }
    }
}

TEST(OptionsText, ValueInOutsideTheSectionsIsAbsent) {
    const auto options = TacSkinOptions::Parse(std::string_view("[A]\nX=1\n"));
    EXPECT_EQ(options.ValueIn(0, "x"), std::optional<std::string_view>("1"));
    EXPECT_FALSE(options.ValueIn(1, "X").has_value());
    EXPECT_FALSE(options.SectionPosition("B").has_value());
}

TEST(OptionsText, LongNamesAreFoundInAnyLetterCase) {
    const std::string name(100, 'k');
    const std::string upper(100, 'K');
    const auto options =
        TacSkinOptions::Parse("[" + upper + "]\n" + name + "a=1\n" + name + "=2\n" + upper + "B=3\n");
    EXPECT_EQ(options.Value(name, upper + "A"), std::optional<std::string_view>("1"));
    EXPECT_EQ(options.Value(name, name), std::optional<std::string_view>("2"));
    EXPECT_EQ(options.Value(upper, name + "b"), std::optional<std::string_view>("3"));
    EXPECT_FALSE(options.Value(upper, name + "c").has_value());
}
