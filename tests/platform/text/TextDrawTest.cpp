#include <gtest/gtest.h>

#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"
#include "platform/text/TextRenderer.h"

using namespace TextFlags;

namespace {

constexpr TColor Paper = clWhite;

TFont Font(int points, TColor color = clBlack) {
    TFont font;
    font.SetSize(points);
    font.SetColor(color);
    return font;
}

TBitmap Page(int width, int height, TPixelFormat format = TPixelFormat::pf24bit) {
    TBitmap page(width, height, format);
    page.Fill(Paper);
    return page;
}

int Draw(TBitmap& page, const TFont& font, std::string_view text, TRect rect, unsigned flags,
         const TRegion* clip = nullptr, bool opaque = false, TColor background = clNone) {
    const TRegion whole(page.BoundsRect());
    return TextRenderer::DrawText(&page, clip ? *clip : whole, font, text, rect, flags, opaque, background);
}

// The bounding box of every pixel that differs from the paper; empty when none does.
TRect InkBounds(const TBitmap& page, int fromRow = 0) {
    TRect ink;
    for (int y = fromRow; y < page.Height(); ++y)
        for (int x = 0; x < page.Width(); ++x)
            if (page.GetPixel(x, y) != Paper) ink = ink.Union(TRect{x, y, x + 1, y + 1});
    return ink;
}

bool HasPixel(const TBitmap& page, TColor color) {
    for (int y = 0; y < page.Height(); ++y)
        for (int x = 0; x < page.Width(); ++x)
            if (page.GetPixel(x, y) == color) return true;
    return false;
}

} // namespace

TEST(TextDraw, InkStaysInsideTheClipRegion) {
    TBitmap page = Page(120, 30);
    TRegion clip(TRect{10, 0, 30, 30});
    clip.Union(TRect{60, 0, 70, 30});
    Draw(page, Font(12), "Кнопулечка Кнопулечка", {0, 0, 120, 30}, DT_SINGLELINE | DT_NOCLIP, &clip);
    const TRect ink = InkBounds(page);
    ASSERT_FALSE(ink.IsEmpty());
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x)
            if (page.GetPixel(x, y) != Paper) {
                EXPECT_TRUE(clip.Contains({x, y})) << x << "," << y;
            }
}

TEST(TextDraw, InkStaysInsideTheRectUnlessNoClip) {
    TBitmap page = Page(120, 30);
    Draw(page, Font(12), "Кнопулечка", {5, 5, 30, 30}, DT_SINGLELINE);
    EXPECT_TRUE((TRect{5, 5, 30, 30}.Contains(InkBounds(page))));
    EXPECT_FALSE(InkBounds(page).IsEmpty());

    TBitmap free = Page(120, 30);
    Draw(free, Font(12), "Кнопулечка", {5, 5, 30, 30}, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(free).Right, 30);
}

TEST(TextDraw, CentreAlignmentCentresTheInk) {
    TBitmap page = Page(200, 40);
    Draw(page, Font(12), "Супер кнопка", {0, 0, 200, 40}, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const TRect ink = InkBounds(page);
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 100.0, 2.0);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 20.0, 3.0);
}

TEST(TextDraw, RightAndBottomAlignmentReachTheEdges) {
    TBitmap page = Page(200, 40);
    Draw(page, Font(12), "Кнопа", {0, 0, 190, 35}, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    const TRect ink = InkBounds(page);
    EXPECT_NEAR(ink.Right, 190, 2);
    EXPECT_LE(ink.Bottom, 35);
    EXPECT_GE(ink.Bottom, 35 - TextRenderer::CellHeight(Font(12)) / 2);
}

TEST(TextDraw, EachWrappedLineIsCentred) {
    TBitmap page = Page(200, 60);
    const int height = Draw(page, Font(8), "ab abcdefghijkl", {0, 0, 200, 60}, DT_WORDBREAK | DT_CENTER);
    EXPECT_EQ(height, TextRenderer::CellHeight(Font(8)));
    TBitmap narrow = Page(200, 60);
    const int lines = Draw(narrow, Font(8), "ab abcdefghijkl", {0, 0, 60, 60}, DT_WORDBREAK | DT_CENTER);
    EXPECT_EQ(lines, 2 * TextRenderer::CellHeight(Font(8)));
    TBitmap firstLine = Page(200, 60);
    Draw(firstLine, Font(8), "ab", {0, 0, 60, 60}, DT_SINGLELINE | DT_CENTER);
    for (int y = 0; y < TextRenderer::CellHeight(Font(8)); ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(narrow.GetPixel(x, y), firstLine.GetPixel(x, y));
}

TEST(TextDraw, TextTakesTheFontColour) {
    TBitmap page = Page(100, 60);
    Draw(page, Font(36, MakeColor(10, 200, 30)), "IH", {0, 0, 100, 60}, DT_SINGLELINE);
    EXPECT_TRUE(HasPixel(page, MakeColor(10, 200, 30)));
}

TEST(TextDraw, SystemColoursAreResolved) {
    TBitmap page = Page(100, 60);
    Draw(page, Font(36, clHighlight), "IH", {0, 0, 100, 60}, DT_SINGLELINE);
    EXPECT_TRUE(HasPixel(page, ColorToRGB(clHighlight)));
}

TEST(TextDraw, OpaqueModeFillsTheLineCell) {
    const TColor red = MakeColor(255, 0, 0);
    TBitmap page = Page(100, 30);
    Draw(page, Font(8), "ab", {10, 5, 100, 30}, DT_SINGLELINE, nullptr, true, red);
    const int width = TextRenderer::TextExtent(Font(8), "ab").Width;
    const int cell = TextRenderer::CellHeight(Font(8));
    EXPECT_EQ(page.GetPixel(10, 5), red);
    EXPECT_EQ(page.GetPixel(10 + width - 1, 5 + cell - 1), red);
    EXPECT_EQ(page.GetPixel(10 + width, 5), Paper);
    EXPECT_EQ(page.GetPixel(10, 5 + cell), Paper);
    EXPECT_EQ(page.GetPixel(9, 5), Paper);
}

TEST(TextDraw, TransparentModeKeepsTheBackground) {
    TBitmap page = Page(100, 30);
    Draw(page, Font(8), "ab", {10, 5, 100, 30}, DT_SINGLELINE, nullptr, false, MakeColor(255, 0, 0));
    EXPECT_EQ(page.GetPixel(10, 5), Paper);
    EXPECT_FALSE(HasPixel(page, MakeColor(255, 0, 0)));
}

TEST(TextDraw, PrefixUnderlinesTheNextCharacterUnlessHidden) {
    TBitmap plain = Page(80, 20);
    Draw(plain, Font(8), "File", {0, 0, 80, 20}, DT_SINGLELINE);
    TBitmap prefixed = Page(80, 20);
    Draw(prefixed, Font(8), "&File", {0, 0, 80, 20}, DT_SINGLELINE);
    TBitmap hidden = Page(80, 20);
    Draw(hidden, Font(8), "&File", {0, 0, 80, 20}, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(hidden, plain);
    EXPECT_NE(prefixed, plain);
    const TRect extra = InkBounds(prefixed, InkBounds(plain).Bottom);
    EXPECT_FALSE(extra.IsEmpty());
    EXPECT_LT(extra.Right, TextRenderer::TextExtent(Font(8), "Fi").Width);
}

TEST(TextDraw, UnderlineAndStrikeOutSpanTheBlanks) {
    TFont font = Font(12);
    font.SetStyle(font.Style().With(TFontStyle::fsUnderline));
    TBitmap page = Page(150, 30);
    Draw(page, font, "a          b", {0, 0, 150, 30}, DT_SINGLELINE);
    const int middle = TextRenderer::TextExtent(font, "a     ").Width;
    bool under = false;
    for (int y = 0; y < 30; ++y)
        under = under || page.GetPixel(middle, y) == clBlack;
    EXPECT_TRUE(under);

    font.SetStyle(TFontStyles{}.With(TFontStyle::fsStrikeOut));
    TBitmap struck = Page(150, 30);
    Draw(struck, font, "a          b", {0, 0, 150, 30}, DT_SINGLELINE);
    int strikeRow = -1;
    for (int y = 0; y < 30; ++y)
        if (struck.GetPixel(middle, y) == clBlack) strikeRow = y;
    EXPECT_GT(strikeRow, 0);
    EXPECT_LT(strikeRow, TextRenderer::CellHeight(font) - 4);
}

TEST(TextDraw, EllipsisInkFitsTheRect) {
    TBitmap page = Page(200, 30);
    Draw(page, Font(8), "A rather long caption for a narrow box", {0, 0, 70, 30},
         DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(InkBounds(page).Right, 70);
}

TEST(TextDraw, CalcRectDrawsNothing) {
    TBitmap page = Page(100, 30);
    TBitmap before = page;
    Draw(page, Font(8), "Кнопка", {0, 0, 100, 30}, DT_CALCRECT);
    EXPECT_EQ(page, before);
}

TEST(TextDraw, ThirtyTwoBitTargetsGetTheSameText) {
    TBitmap page24 = Page(100, 30);
    TBitmap page32 = Page(100, 30, TPixelFormat::pf32bit);
    Draw(page24, Font(10), "Кнопка", {0, 0, 100, 30}, DT_SINGLELINE);
    Draw(page32, Font(10), "Кнопка", {0, 0, 100, 30}, DT_SINGLELINE);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(page24.GetPixel(x, y), page32.GetPixel(x, y));
}

TEST(TextDraw, EightBitTargetsAndEmptyClipsAreLeftAlone) {
    TBitmap indexed(40, 20, TPixelFormat::pf8bit);
    TBitmap before = indexed;
    EXPECT_GT(Draw(indexed, Font(8), "ab", {0, 0, 40, 20}, DT_SINGLELINE), 0);
    EXPECT_EQ(indexed, before);
    TBitmap page = Page(40, 20);
    const TRegion none;
    Draw(page, Font(8), "ab", {0, 0, 40, 20}, DT_SINGLELINE, &none);
    EXPECT_TRUE(InkBounds(page).IsEmpty());
}

TEST(TextDraw, RectOutsideTheBitmapIsClipped) {
    TBitmap page = Page(20, 10);
    Draw(page, Font(18), "Кнопище", {-30, -10, 200, 50}, DT_WORDBREAK);
    Draw(page, Font(18), "Кнопище", {15, 5, 200, 50}, DT_NOCLIP);
    EXPECT_FALSE(InkBounds(page).IsEmpty());
}

TEST(TextDraw, InvalidUtf8DrawsWithoutCrashing) {
    TBitmap page = Page(200, 40);
    const std::string bytes =
        std::string("ok \xFF\xFE\xC3\x28 \xE2\x82 \xF0\x9F\x98 &\xC0") + '\0' + "tail\xF8";
    EXPECT_EQ(Draw(page, Font(10), bytes, {0, 0, 200, 40}, DT_WORDBREAK | DT_EXPANDTABS),
              TextRenderer::CellHeight(Font(10)));
    EXPECT_FALSE(InkBounds(page).IsEmpty());
}
