#include "platform/os/TStringList.h"
#include "platform/os/OsTestSupport.h"
#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Lines(std::string_view bytes) {
    TStringList list;
    list.LoadFromBytes(bytes);
    return {list.begin(), list.end()};
}

using V = std::vector<std::string>;

} // namespace

TEST(StringListLoading, EveryLineBreakKind) {
    EXPECT_EQ(Lines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
}

TEST(StringListLoading, LineFeedThenCarriageReturnIsTwoBreaks) {
    EXPECT_EQ(Lines("a\n\rb"), (V{"a", "", "b"}));
}

TEST(StringListLoading, FinalBreakAddsNoLine) {
    EXPECT_EQ(Lines("a\r\n"), (V{"a"}));
    EXPECT_EQ(Lines("a\n"), (V{"a"}));
    EXPECT_EQ(Lines("a\r"), (V{"a"}));
}

TEST(StringListLoading, TrailingDoubleBreakGivesLastEmptyLine) {
    EXPECT_EQ(Lines("a\r\nb\r\n\r\n"), (V{"a", "b", ""}));
}

TEST(StringListLoading, EmptyLinesInBetweenAndBlanksAreKept) {
    EXPECT_EQ(Lines("  a \n\n\n b\t"), (V{"  a ", "", "", " b\t"}));
}

TEST(StringListLoading, NulEndsTheText) {
    EXPECT_EQ(Lines(std::string_view("a\nb\0c\nd", 7)), (V{"a", "b"}));
    EXPECT_EQ(Lines(std::string_view("\0a", 2)), V{});
}

TEST(StringListLoading, EmptyTextHasNoLines) {
    EXPECT_EQ(Lines(""), V{});
    EXPECT_EQ(Lines("\r\n"), (V{""}));
}

// An empty file's bytes may have no buffer at all.
TEST(StringListLoading, EmptyByteBufferHasNoLines) {
    TStringList list;
    list.Add("old");
    list.LoadFromBytes(std::span<const std::uint8_t>());
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringListLoading, EightBitBytesKept) {
    EXPECT_EQ(Lines("\xCF\xF0\xE8\r\n\xFF"), (V{"\xCF\xF0\xE8", "\xFF"}));
}

TEST(StringListLoading, HugeTextSplitsInOnePass) {
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "line\r\n";
    TStringList list;
    list.LoadFromBytes(text);
    EXPECT_EQ(list.Count(), 200000);
    EXPECT_EQ(list[199999], "line");
}

TEST(StringListLoading, LoadFromFileAndMissingFile) {
    TTempFolder folder;
    WriteTextFile(folder / "Texts.txt", "one\r\ntwo\r\n");
    TStringList list;
    list.LoadFromFile(folder / "Texts.txt");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.LoadFromFile(folder / "none.txt"), EFOpenError);
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, SortAndIndexOfIgnoreAsciiCase) {
    TStringList list;
    list.Add("beta");
    list.Add("Alpha");
    list.Add("gamma");
    list.Add("alpha");
    list.Sort();
    EXPECT_EQ((V{list.begin(), list.end()}), (V{"Alpha", "alpha", "beta", "gamma"}));
    EXPECT_EQ(list.IndexOf("GAMMA"), 3);
    EXPECT_EQ(list.IndexOf("delta"), -1);
}

TEST(StringList, TextRoundTrips) {
    TStringList list;
    list.Add("a");
    list.Add("");
    EXPECT_EQ(list.Text(), "a\r\n\r\n");
    TStringList copy;
    copy.SetText(list.Text());
    EXPECT_EQ((V{copy.begin(), copy.end()}), (V{"a", ""}));
}
