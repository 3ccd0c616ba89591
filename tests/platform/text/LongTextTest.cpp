// Very long texts: drawing stops below the rectangle, and what shows is exactly what a
// short text with the same first lines shows.
#include <gtest/gtest.h>

#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"
#include "platform/text/TextRenderer.h"

using namespace TextFlags;

namespace {

TBitmap Drawn(std::string_view text, TRect rect, unsigned flags, int* height = nullptr) {
    TBitmap page(200, 120, TPixelFormat::pf24bit);
    page.Fill(clWhite);
    TFont font;
    font.SetSize(12);
    const int h =
        TextRenderer::DrawText(&page, TRegion(page.BoundsRect()), font, text, rect, flags, false, clNone);
    if (height) *height = h;
    return page;
}

std::string Repeated(std::string_view piece, int times) {
    std::string text;
    text.reserve(piece.size() * std::size_t(times));
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

int CellHeight() {
    TFont font;
    font.SetSize(12);
    return TextRenderer::CellHeight(font);
}

} // namespace

TEST(LongText, WrappedLongPhraseShowsItsFirstLinesOnly) {
    const TRect rect{10, 10, 190, 110};
    int longHeight = 0;
    const TBitmap whole = Drawn(Repeated("a ", 100000), rect, DT_WORDBREAK, &longHeight);
    const TBitmap start = Drawn(Repeated("a ", 2000), rect, DT_WORDBREAK);
    EXPECT_TRUE(whole == start);
    // Drawing lays out the lines down to the last that shows; measuring counts every line.
    TFont font;
    font.SetSize(12);
    TRect measured = rect;
    TextRenderer::DrawText(nullptr, TRegion(), font, Repeated("a ", 100000), measured,
                           DT_WORDBREAK | DT_CALCRECT, false, clNone);
    EXPECT_GE(longHeight, rect.Height());
    EXPECT_LE(longHeight, rect.Height() + 2 * CellHeight());
    EXPECT_GT(measured.Height(), 500 * CellHeight());
}

TEST(LongText, CombiningMarksAndCyrillicShowAsTheirShortStart) {
    const TRect rect{5, 5, 195, 115};
    for (const std::string_view piece :
         {std::string_view("e\xCC\x81 "), std::string_view("\xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE ")}) {
        const TBitmap whole = Drawn(Repeated(piece, 20000), rect, DT_WORDBREAK);
        const TBitmap start = Drawn(Repeated(piece, 1500), rect, DT_WORDBREAK);
        EXPECT_TRUE(whole == start);
    }
}

TEST(LongText, LinesAboveTheClipAreSkippedButKeepTheirPlace) {
    // Every line holds the same words, so a rectangle that starts hundreds of lines above
    // the page shows what one starting two lines above it shows.
    const int cell = CellHeight();
    const TBitmap far = Drawn(Repeated("b ", 40000), TRect{10, 20 - 600 * cell, 190, 110}, DT_WORDBREAK);
    const TBitmap near = Drawn(Repeated("b ", 3000), TRect{10, 20 - 2 * cell, 190, 110}, DT_WORDBREAK);
    EXPECT_TRUE(far == near);
    bool inked = false;
    for (int y = 20; y < 110 && !inked; ++y)
        for (int x = 10; x < 190 && !inked; ++x)
            inked = far.GetPixel(x, y) != clWhite;
    EXPECT_TRUE(inked);
}
