// Text laid out a piece at a time: the lines a long paragraph breaks into are the lines the
// whole paragraph breaks into, and a line longer than a piece ends where it would have broken.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/text/TFontLibrary.h"
#include "platform/text/TextFlags.h"
#include "platform/text/TextLayout.h"

using namespace TextFlags;

namespace {

struct TShownLine {
    std::u32string Text;
    int Width = 0;
    bool Ellipsis = false;
    bool operator==(const TShownLine&) const = default;
};

std::vector<TShownLine> Lines(std::string_view text, int width, unsigned flags, std::size_t pieceLength) {
    TFont font;
    font.SetSize(12);
    TFontLibrary& library = TFontLibrary::Instance();
    std::lock_guard lock(library.Mutex());
    TFontFace* face = library.Face(font);
    std::vector<TShownLine> lines;
    TextLayout::LayoutPieces(
        face, [&] { return library.FallbackFace(font); }, text, width, flags,
        [&](const TextLayout::TLayout& piece) {
            for (const TextLayout::TLine& line : piece.Lines) {
                const std::u32string& p = piece.Paragraphs[line.Paragraph].Text;
                lines.push_back({p.substr(line.Start, line.End - line.Start), line.Width, line.Ellipsis});
            }
            return true;
        },
        pieceLength);
    return lines;
}

// Words of many lengths, Cyrillic, a combining mark, prefixes, tabs, runs of blanks, one word
// wider than the line and paragraphs of every break kind.
std::string VariedText() {
    const std::string sample = "Quibbleton shows\tone phrase &at a  time, "
                               "\xD1\x81\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xBE e\xCC\x81t\xC3\xA9 && "
                               "Unbelievablyoverlongwordthatcannotfit   tail\r\nnext\rthird\n";
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += sample.substr(0, sample.size() - std::size_t(i % 7));
    return text;
}

} // namespace

TEST(TextPieces, APieceAtATimeBreaksAsTheWholeParagraph) {
    const std::string text = VariedText();
    for (const unsigned flags : {DT_WORDBREAK, DT_WORDBREAK | DT_EXPANDTABS, DT_WORDBREAK | DT_NOPREFIX,
                                 DT_WORDBREAK | DT_END_ELLIPSIS, DT_END_ELLIPSIS}) {
        const std::vector<TShownLine> whole = Lines(text, 180, flags, std::size_t(-1));
        ASSERT_GT(whole.size(), 40u);
        for (const std::size_t piece : {std::size_t(97), std::size_t(250), std::size_t(1000)})
            EXPECT_EQ(Lines(text, 180, flags, piece), whole) << flags << " " << piece;
    }
}

TEST(TextPieces, TheWholeLayoutIsOnePiecePerParagraph) {
    TFont font;
    font.SetSize(12);
    TFontLibrary& library = TFontLibrary::Instance();
    std::lock_guard lock(library.Mutex());
    TFontFace* face = library.Face(font);
    int pieces = 0;
    TextLayout::LayoutPieces(face, nullptr, "one\r\ntwo\n\nthree", 100, DT_WORDBREAK,
                             [&](const TextLayout::TLayout& piece) {
                                 EXPECT_EQ(piece.Paragraphs.size(), 1u);
                                 ++pieces;
                                 return true;
                             });
    EXPECT_EQ(pieces, 4);
}

TEST(TextPieces, ALineLongerThanAPieceEndsWhereItWouldBreak) {
    const std::string word(1000, 'x');
    const std::string text = word + "   after the long word comes the rest of the phrase";
    const std::vector<TShownLine> whole = Lines(text, 180, DT_WORDBREAK, std::size_t(-1));
    const std::vector<TShownLine> pieces = Lines(text, 180, DT_WORDBREAK, 100);
    ASSERT_EQ(pieces.size(), whole.size());
    EXPECT_EQ(pieces[0].Text, std::u32string(100, U'x'));
    EXPECT_EQ(whole[0].Text, std::u32string(1000, U'x'));
    EXPECT_EQ(std::vector<TShownLine>(pieces.begin() + 1, pieces.end()),
              std::vector<TShownLine>(whole.begin() + 1, whole.end()));
}

TEST(TextPieces, AStoppedLayoutLaysOutNoFurther) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "word ";
    TFont font;
    font.SetSize(12);
    TFontLibrary& library = TFontLibrary::Instance();
    std::lock_guard lock(library.Mutex());
    int pieces = 0;
    std::size_t lines = 0;
    TextLayout::LayoutPieces(library.Face(font), nullptr, text, 180, DT_WORDBREAK,
                             [&](const TextLayout::TLayout& piece) {
                                 ++pieces;
                                 lines = piece.Lines.size();
                                 return false;
                             });
    EXPECT_EQ(pieces, 1);
    // One piece holds the lines of its own code points only, each line a word or more.
    EXPECT_GT(lines, 0u);
    EXPECT_LE(lines * 5, TextLayout::DefaultPieceLength + 5);
}
