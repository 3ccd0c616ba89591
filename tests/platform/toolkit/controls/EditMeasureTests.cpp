// The edit measures its text in chunks and keeps each chunk's measure; the positions must
// stay those of the whole line, before and after changes.
#include <gtest/gtest.h>

#include <string>

#include "platform/text/TextRenderer.h"
#include "platform/core/Utf8.h"
#include "platform/toolkit/TEditTextMeasure.h"

namespace {

TFont EditFont() {
    TFont font;
    font.SetSize(10);
    return font;
}

} // namespace

TEST(EditMeasure, ChunkedPositionsEqualTheWholeLine) {
    const TFont font = EditFont();
    for (const std::u32string& text :
         {std::u32string(U"Hello world, this is a test"), std::u32string(200, U'x'),
          std::u32string(U"  leading"), std::u32string(U"trailing   "), Utf8::Decode("добрый день, мир"),
          std::u32string()}) {
        TEditTextMeasure measure;
        EXPECT_EQ(measure.Positions(font, text), TextRenderer::CharPositions(font, text))
            << Utf8::Encode(text);
    }
}

TEST(EditMeasure, ChunksCoverTheTextInOrder) {
    TEditTextMeasure measure;
    const std::u32string text = U"one two  " + std::u32string(150, U'z') + U" end";
    measure.Positions(EditFont(), text);
    std::size_t next = 0;
    for (const TEditTextMeasure::TChunk& chunk : measure.Chunks()) {
        EXPECT_EQ(chunk.Start, next);
        EXPECT_GT(chunk.End, chunk.Start);
        EXPECT_LE(chunk.End - chunk.Start, 64u);
        next = chunk.End;
    }
    EXPECT_EQ(next, text.size());
}

TEST(EditMeasure, ChangesKeepThePositionsOfAFreshMeasure) {
    const TFont font = EditFont();
    TEditTextMeasure typed;
    std::u32string text;
    for (int i = 0; i < 300; ++i) {
        // Type at the end, then now and then in the middle, as a user would.
        const char32_t c = i % 7 == 6 ? U' ' : char32_t(U'a' + i % 26);
        if (i % 50 == 49)
            text.insert(text.size() / 2, 1, c);
        else
            text.push_back(c);
        typed.Positions(font, text);
    }
    TEditTextMeasure fresh;
    EXPECT_EQ(typed.Positions(font, text), fresh.Positions(font, text));
    TFont bigger = font;
    bigger.SetSize(14);
    const std::vector<int> large = typed.Positions(bigger, text);
    EXPECT_EQ(large, fresh.Positions(bigger, text));
    EXPECT_GT(large.back(), typed.Positions(font, text).back());
}
