#include <gtest/gtest.h>

#include <mutex>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/core/Utf8.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TFontLibrary.h"
#include "platform/text/TextFlags.h"
#include "platform/text/TextRenderer.h"
#include "platform/text/freetype/TFontFinder.h"
#include "platform/text/freetype/TFreeTypeFace.h"

using namespace TextFlags;

namespace {

const std::string WineFolder = TFontFinder::DefaultFontFolder;
const std::string StrikeFile = WineFolder + "/ms_sans_serif.ttf";
constexpr const char* Caption = "Супер кнопка";

TFont SystemFont(int points, TFontStyles style = {}) {
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetSize(points);
    font.SetColor(clBlack);
    font.SetStyle(style);
    return font;
}

// Reads a bitmap font's strike straight from the file, apart from the code under test.
class TStrikeReader {
public:
    TStrikeReader(const std::string& path, int cellHeight) {
        if (FT_Init_FreeType(&m_library) != 0 || FT_New_Face(m_library, path.c_str(), 0, &m_face) != 0)
            return;
        for (int i = 0; i < m_face->num_fixed_sizes; ++i)
            if (m_face->available_sizes[i].height == cellHeight && FT_Select_Size(m_face, i) == 0)
                m_selected = true;
    }
    ~TStrikeReader() {
        if (m_face) FT_Done_Face(m_face);
        if (m_library) FT_Done_FreeType(m_library);
    }
    bool Selected() const { return m_selected; }
    int Ascent() const { return int(m_face->size->metrics.ascender >> 6); }

    // The sum of the glyphs' advances and the number of pixels their bitmaps set.
    void Measure(std::string_view utf8, int& width, int& inked) const {
        width = 0;
        inked = 0;
        for (char32_t c : Utf8::Decode(utf8)) {
            ASSERT_EQ(FT_Load_Char(m_face, FT_ULong(c), FT_LOAD_DEFAULT), 0);
            const FT_Bitmap& bm = m_face->glyph->bitmap;
            ASSERT_EQ(bm.pixel_mode, FT_PIXEL_MODE_MONO);
            width += int(m_face->glyph->advance.x >> 6);
            for (unsigned y = 0; y < bm.rows; ++y)
                for (unsigned x = 0; x < bm.width; ++x)
                    inked += (bm.buffer[y * unsigned(bm.pitch) + x / 8] >> (7 - x % 8)) & 1;
        }
    }

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
    bool m_selected = false;
};

struct TInk {
    int Text = 0;
    int Other = 0; // neither paper nor text colour: grey edges
};

TInk DrawAndCount(const TFont& font, std::string_view text) {
    TBitmap page(300, 60);
    page.Fill(clWhite);
    TRect rect{4, 4, 296, 56};
    TextRenderer::DrawText(&page, TRegion(page.BoundsRect()), font, text, rect, DT_SINGLELINE | DT_NOPREFIX,
                           false, clNone);
    TInk ink;
    for (int y = 0; y < page.Height(); ++y)
        for (int x = 0; x < page.Width(); ++x) {
            const TColor c = page.GetPixel(x, y);
            if (c == clBlack)
                ++ink.Text;
            else if (c != clWhite)
                ++ink.Other;
        }
    return ink;
}

// The family a library gives a font, read from the face it opens.
std::string FamilyOf(TFontLibrary& library, const TFont& font) {
    std::lock_guard lock(library.Mutex());
    TFontFace* face = library.Face(font);
    return face ? face->FamilyName() : "";
}

bool IsStrike(const TFont& font) {
    TFontLibrary& library = TFontLibrary::Instance();
    std::lock_guard lock(library.Mutex());
    TFontFace* face = library.Face(font);
    return face && face->IsStrike();
}

} // namespace

TEST(SystemFont, EightPointCaptionIsMeasuredWithTheThirteenPixelStrike) {
    const TStrikeReader strike(StrikeFile, 13);
    ASSERT_TRUE(strike.Selected()) << StrikeFile;
    int width = 0, inked = 0;
    strike.Measure(Caption, width, inked);
    const TFont font = SystemFont(8);
    EXPECT_TRUE(IsStrike(font));
    EXPECT_EQ(TextRenderer::TextExtent(font, Caption).Width, width);
    EXPECT_EQ(TextRenderer::CellHeight(font), 13);
    EXPECT_EQ(TextRenderer::EmHeight(font), strike.Ascent());
}

TEST(SystemFont, StrikePixelsAreDrawnWholeWithoutGreyEdges) {
    const TStrikeReader strike(StrikeFile, 13);
    ASSERT_TRUE(strike.Selected());
    int width = 0, inked = 0;
    strike.Measure(Caption, width, inked);
    const TInk ink = DrawAndCount(SystemFont(8), Caption);
    EXPECT_EQ(ink.Other, 0);
    EXPECT_EQ(ink.Text, inked);
}

TEST(SystemFont, TenAndTwelvePointUseTheSixteenAndTwentyPixelStrikes) {
    const std::pair<int, int> sizes[] = {{10, 16}, {12, 20}};
    for (auto [points, cell] : sizes) {
        const TStrikeReader strike(StrikeFile, cell);
        ASSERT_TRUE(strike.Selected()) << cell;
        int width = 0, inked = 0;
        strike.Measure("Кнопка", width, inked);
        const TFont font = SystemFont(points);
        EXPECT_EQ(TextRenderer::CellHeight(font), cell) << points;
        EXPECT_EQ(TextRenderer::TextExtent(font, "Кнопка").Width, width) << points;
        EXPECT_EQ(DrawAndCount(font, "Кнопка").Other, 0) << points;
    }
}

TEST(SystemFont, PositiveHeightPicksTheStrikeOfThatCell) {
    TFont font = SystemFont(8);
    font.SetHeight(16);
    EXPECT_TRUE(IsStrike(font));
    EXPECT_EQ(TextRenderer::CellHeight(font), 16);
}

TEST(SystemFont, BoldStrikeIsOnePixelWiderPerLetterAndStaysCrisp) {
    const TStrikeReader strike(StrikeFile, 13);
    ASSERT_TRUE(strike.Selected());
    int width = 0, inked = 0;
    strike.Measure("Кнопка", width, inked);
    const TFont bold = SystemFont(8, TFontStyles{}.With(TFontStyle::fsBold));
    EXPECT_TRUE(IsStrike(bold));
    EXPECT_EQ(TextRenderer::TextExtent(bold, "Кнопка").Width, width + 6);
    const TInk ink = DrawAndCount(bold, "Кнопка");
    EXPECT_EQ(ink.Other, 0);
    EXPECT_GT(ink.Text, inked);
}

TEST(SystemFont, ItalicStrikeKeepsItsPixelsAndStaysCrisp) {
    const TStrikeReader strike(StrikeFile, 13);
    ASSERT_TRUE(strike.Selected());
    int width = 0, inked = 0;
    strike.Measure("Кнопка", width, inked);
    const TFont italic = SystemFont(8, TFontStyles{}.With(TFontStyle::fsItalic));
    EXPECT_EQ(TextRenderer::TextExtent(italic, "Кнопка").Width, width);
    const TInk ink = DrawAndCount(italic, "Кнопка");
    EXPECT_EQ(ink.Other, 0);
    EXPECT_GT(ink.Text, 0);
}

TEST(SystemFont, SizesWithoutAStrikeComeFromTahoma) {
    TFontLibrary& library = TFontLibrary::Instance();
    const TFont font = SystemFont(14);
    EXPECT_FALSE(IsStrike(font));
    EXPECT_EQ(FamilyOf(library, font), "Tahoma");
    EXPECT_EQ(TextRenderer::EmHeight(font), 19);
    EXPECT_EQ(FamilyOf(library, SystemFont(18)), "Tahoma");
    EXPECT_EQ(FamilyOf(library, SystemFont(9)), "Tahoma");
}

TEST(SystemFont, BoldWithoutAStrikeComesFromTahomaBold) {
    TFontLibrary& library = TFontLibrary::Instance();
    const TFont font = SystemFont(14, TFontStyles{}.With(TFontStyle::fsBold));
    std::lock_guard lock(library.Mutex());
    TFontFace* face = library.Face(font);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->FamilyName(), "Tahoma");
    // Tahoma has a bold face of its own, so nothing is made up.
    EXPECT_FALSE(face->Synthesis().Bold);
}

TEST(SystemFont, TheFamilyNameIgnoresLetterCase) {
    TFont font = SystemFont(8);
    font.SetName("ms sans serif");
    EXPECT_TRUE(IsStrike(font));
}

TEST(SystemFont, OtherFamiliesKeepTheirOwnFaces) {
    TFontLibrary& library = TFontLibrary::Instance();
    TFont font = SystemFont(8);
    font.SetName("DejaVu Sans");
    EXPECT_EQ(FamilyOf(library, font), "DejaVu Sans");
    font.SetName("Tahoma");
    EXPECT_EQ(FamilyOf(library, font), "Tahoma");
}

TEST(SystemFontFallback, WithoutTheFontFolderEverySizeFallsBackToDejaVuSans) {
    TFontLibrary library("/nonexistent/quibbleton/fonts");
    for (int points : {8, 10, 12, 14, 18}) {
        EXPECT_EQ(FamilyOf(library, SystemFont(points)), TFontLibrary::FallbackFamily) << points;
        EXPECT_EQ(FamilyOf(library, SystemFont(points, TFontStyles{}.With(TFontStyle::fsBold))),
                  TFontLibrary::FallbackFamily)
            << points;
    }
}

TEST(SystemFontFallback, FinderLeavesOutAMissingFolder) {
    EXPECT_FALSE(TFontFinder("/nonexistent/quibbleton/fonts").HasFontFolder());
    EXPECT_FALSE(TFontFinder(StrikeFile).HasFontFolder()); // a file is not a folder
    const TFontFinder finder(WineFolder);
    EXPECT_TRUE(finder.HasFontFolder());
    EXPECT_FALSE(finder.MatchExactly("No Such Family At All", false, false));
    EXPECT_TRUE(finder.MatchExactly("Tahoma", true, false));
}

TEST(SystemFontFallback, TheBitmapFileCoversLatinAndCyrillic) {
    const TFontFinder finder(WineFolder);
    const std::optional<TFontFinder::TFontFile> file = finder.BitmapFont("MS Sans Serif");
    ASSERT_TRUE(file);
    FT_Library ft = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&ft), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(ft, file->Path.c_str(), file->Index, &face), 0);
    EXPECT_NE(FT_Get_Char_Index(face, U'Ж'), 0u);
    EXPECT_NE(FT_Get_Char_Index(face, U'A'), 0u);
    EXPECT_FALSE(FT_IS_SCALABLE(face));
    // Every strike of the file can be selected.
    EXPECT_EQ(TFreeTypeFace::Strikes(ft, file->Path, file->Index).size(), std::size_t(face->num_fixed_sizes));
    FT_Done_Face(face);
    FT_Done_FreeType(ft);
    EXPECT_FALSE(TFontFinder("/nonexistent").BitmapFont("MS Sans Serif"));
}

TEST(SystemFontFallback, ScalableFilesHaveNoStrikes) {
    FT_Library ft = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&ft), 0);
    EXPECT_TRUE(TFreeTypeFace::Strikes(ft, WineFolder + "/tahoma.ttf", 0).empty());
    EXPECT_TRUE(TFreeTypeFace::Strikes(ft, "/nonexistent.ttf", 0).empty());
    FT_Done_FreeType(ft);
}

TEST(SystemFontFallback, ScalableFaceWithBitmapsOfItsOwnIsDrawnFromItsOutlines) {
    // Tahoma carries bitmaps for some small sizes; find one in the file.
    FT_Library ft = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&ft), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(ft, (WineFolder + "/tahoma.ttf").c_str(), 0, &face), 0);
    ASSERT_TRUE(FT_IS_SCALABLE(face));
    ASSERT_GT(face->num_fixed_sizes, 0);
    const int ppem = int(face->available_sizes[face->num_fixed_sizes - 1].y_ppem >> 6);
    FT_Done_Face(face);
    FT_Done_FreeType(ft);

    TFont font = SystemFont(8);
    font.SetName("Tahoma");
    font.SetHeight(-ppem);
    EXPECT_FALSE(IsStrike(font));
    const TInk ink = DrawAndCount(font, "Кнопка");
    EXPECT_GT(ink.Text, 0);
    EXPECT_GT(ink.Other, 0) << "outlines are antialiased";
}
