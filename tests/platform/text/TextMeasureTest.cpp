#include <gtest/gtest.h>

#include "platform/text/TextFlags.h"
#include "platform/text/TextRenderer.h"

using namespace TextFlags;

namespace {

TFont Font8() {
    TFont font;
    font.SetSize(8);
    return font;
}

// The rectangle DT_CALCRECT gives for text laid out in a rectangle of the given width.
TRect Measure(std::string_view text, unsigned flags, int width = 1000, const TFont& font = Font8()) {
    TRect rect{10, 20, 10 + width, 500};
    const int height =
        TextRenderer::DrawText(nullptr, TRegion(), font, text, rect, flags | DT_CALCRECT, false, 0);
    EXPECT_EQ(height, rect.Height());
    return rect;
}

int Width(std::string_view text) {
    return TextRenderer::TextExtent(Font8(), text).Width;
}
int Cell() {
    return TextRenderer::CellHeight(Font8());
}

} // namespace

TEST(TextMeasure, WidthGrowsWithText) {
    EXPECT_LT(Width("Кноп"), Width("Кнопка"));
    EXPECT_LT(Width("Кнопка"), Width("Кнопулечка"));
    EXPECT_EQ(Width(""), 0);
}

TEST(TextMeasure, BoldIsWiderThanRegular) {
    TFont bold = Font8();
    bold.SetStyle(bold.Style().With(TFontStyle::fsBold));
    EXPECT_GT(TextRenderer::TextExtent(bold, "Супер кнопка").Width, Width("Супер кнопка"));
}

TEST(TextMeasure, CalcRectKeepsTopLeftAndSpansTheText) {
    const TRect r = Measure("Кнопка", DT_SINGLELINE);
    EXPECT_EQ(r.TopLeft(), (TPoint{10, 20}));
    EXPECT_EQ(r.Width(), Width("Кнопка"));
    EXPECT_EQ(r.Height(), Cell());
}

TEST(TextMeasure, WordBreakMakesTheExpectedLines) {
    const TRect r = Measure("word word word word word", DT_WORDBREAK, Width("word word"));
    EXPECT_EQ(r.Height(), 3 * Cell());
    EXPECT_EQ(r.Width(), Width("word word"));
}

TEST(TextMeasure, WordBreakShrinksToTheWidestLine) {
    const TRect r = Measure("ab cd", DT_WORDBREAK, 500);
    EXPECT_EQ(r.Width(), Width("ab cd"));
    EXPECT_EQ(r.Height(), Cell());
}

TEST(TextMeasure, WrappedLineOfBlanksKeepsItsWidth) {
    EXPECT_EQ(Measure(" ", DT_WORDBREAK).Width(), Width(" "));
    EXPECT_EQ(Measure(" ", DT_WORDBREAK).Height(), Cell());
    EXPECT_EQ(Measure("ab   ", DT_WORDBREAK).Width(), Width("ab"));
}

TEST(TextMeasure, LongWordOverflowsInsteadOfSplitting) {
    const TRect r = Measure("Supercalifragilistic", DT_WORDBREAK, 10);
    EXPECT_EQ(r.Height(), Cell());
    EXPECT_EQ(r.Width(), Width("Supercalifragilistic"));
    EXPECT_EQ(Measure("a Supercalifragilistic b", DT_WORDBREAK, 10).Height(), 3 * Cell());
}

TEST(TextMeasure, LineBreaksAtCrLfCrOrLf) {
    EXPECT_EQ(Measure("a\r\nb", 0).Height(), 2 * Cell());
    EXPECT_EQ(Measure("a\rb\nc", 0).Height(), 3 * Cell());
    EXPECT_EQ(Measure("a\n\nb", 0).Height(), 3 * Cell());
    EXPECT_EQ(Measure("a\n", 0).Height(), Cell());
    EXPECT_EQ(Measure("wide line\nx", 0).Width(), Width("wide line"));
}

TEST(TextMeasure, SingleLineIgnoresLineBreaksAndWordBreak) {
    EXPECT_EQ(Measure("a\r\nb", DT_SINGLELINE).Height(), Cell());
    EXPECT_EQ(Measure("word word word", DT_SINGLELINE | DT_WORDBREAK, 5).Height(), Cell());
}

TEST(TextMeasure, EmptyTextHasNoExtent) {
    const TRect r = Measure("", DT_WORDBREAK);
    EXPECT_EQ(r.Width(), 0);
    EXPECT_EQ(r.Height(), 0);
}

TEST(TextMeasure, PrefixIsRemovedUnlessNoPrefix) {
    EXPECT_EQ(Measure("&File", DT_SINGLELINE).Width(), Width("File"));
    EXPECT_EQ(Measure("&File", DT_SINGLELINE | DT_NOPREFIX).Width(), Width("&File"));
    EXPECT_EQ(Measure("A&&B", DT_SINGLELINE).Width(), Width("A&B"));
    EXPECT_EQ(Measure("&", DT_SINGLELINE).Width(), 0);
}

TEST(TextMeasure, TabsExpandToCommonStops) {
    const int a = Measure("a\tb", DT_SINGLELINE | DT_EXPANDTABS).Width();
    EXPECT_EQ(Measure("aa\tb", DT_SINGLELINE | DT_EXPANDTABS).Width(), a);
    EXPECT_GT(a, Width("a b"));
}

TEST(TextMeasure, EllipsisCutsTheTextToFit) {
    const char* text = "A rather long caption for a narrow box";
    const TRect r = Measure(text, DT_SINGLELINE | DT_END_ELLIPSIS, 60);
    EXPECT_LE(r.Width(), 60);
    EXPECT_GE(r.Width(), Width("..."));
    EXPECT_EQ(Measure("Short", DT_SINGLELINE | DT_END_ELLIPSIS, 60).Width(), Width("Short"));
}

TEST(TextMeasure, InvalidUtf8IsMeasuredAsReplacementCharacters) {
    EXPECT_EQ(Width("\xFF"), Width("\xEF\xBF\xBD"));
    EXPECT_GT(Measure("\xC3\x28\xA0\xA1\xE2\x28\xA1\xF0\x90\x28\xBC", DT_WORDBREAK).Width(), 0);
}
