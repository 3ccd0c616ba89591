#include <gtest/gtest.h>

#include <mutex>
#include <string>

#include "GdiReference.h"
#include "platform/core/Utf8.h"
#include "platform/text/TFontLibrary.h"
#include "platform/text/TextRenderer.h"
#include "platform/text/gdi/TGdiFace.h"

namespace {

// The captions of the program's screens and dialogs.
constexpr const char* Captions[] = {"Супер кнопка", "Кнопулечка",      "Кнопочка",
                                    "Кнопка",       "Кнопа",           "Кнопище",
                                    "Настройки",    "Случайная фраза", "Стиль окна и суперкнопки",
                                    "Ok",           "Cancel"};
// The heights the designs give and the main screen's button sizes (8, 10, 12, 14 point).
constexpr int Heights[] = {-11, -13, -16, -19, -24};

TFont SystemFont(int height, TFontStyles style = {}) {
    TFont font;
    font.SetName(TFontLibrary::SystemFamily);
    font.SetHeight(height);
    font.SetStyle(style);
    return font;
}

TFontStyles Bold() {
    return TFontStyles{}.With(TFontStyle::fsBold);
}

// The face the process's library opens for font, with the library held; fn gets it.
template <typename Fn> void WithFace(const TFont& font, Fn fn) {
    TFontLibrary& library = TFontLibrary::Instance();
    std::lock_guard lock(library.Mutex());
    auto* face = dynamic_cast<TGdiFace*>(library.Face(font));
    ASSERT_NE(face, nullptr);
    fn(*face);
}

int CharWidthSum(const TFont& font, std::string_view utf8) {
    int sum = -1;
    WithFace(font, [&](TGdiFace& face) { sum = GdiReference::CharWidthSum(face.Dc(), Utf8::Decode(utf8)); });
    return sum;
}

} // namespace

TEST(GdiText, CaptionWidthsAreTheSumsOfTheFontsCharWidths) {
    for (int height : Heights)
        for (const char* caption : Captions) {
            const TFont font = SystemFont(height);
            EXPECT_EQ(TextRenderer::TextExtent(font, caption).Width, CharWidthSum(font, caption))
                << caption << " " << height;
        }
}

TEST(GdiText, BoldCaptionWidthsAreTheSumsOfTheFontsCharWidths) {
    for (int height : {-11, -16})
        for (const char* caption : Captions) {
            const TFont font = SystemFont(height, Bold());
            EXPECT_EQ(TextRenderer::TextExtent(font, caption).Width, CharWidthSum(font, caption))
                << caption << " " << height;
        }
}

TEST(GdiText, BoldIsWiderThanRegular) {
    EXPECT_GT(TextRenderer::TextExtent(SystemFont(-16, Bold()), "Кнопка").Width,
              TextRenderer::TextExtent(SystemFont(-16), "Кнопка").Width);
}

TEST(GdiText, SystemFamilyIsTheSystemsOwnBitmapFontWithCyrillic) {
    WithFace(SystemFont(-11), [](TGdiFace& face) {
        EXPECT_EQ(GdiReference::TextFace(face.Dc()), TFontLibrary::SystemFamily);
        EXPECT_EQ(face.FamilyName(), GdiReference::TextFace(face.Dc()));
        EXPECT_TRUE(GdiReference::IsBitmapFont(face.Dc()));
        EXPECT_TRUE(face.IsStrike());
        EXPECT_TRUE(face.HasGlyphFor(U'Ж'));
        EXPECT_TRUE(face.HasGlyphFor(U'A'));
    });
}

TEST(GdiText, MetricsComeFromTheFont) {
    // The renderer takes the library's lock itself, so it is asked outside WithFace.
    const int rendererCell = TextRenderer::CellHeight(SystemFont(-11));
    WithFace(SystemFont(-11), [&](TGdiFace& face) {
        const TFontMetrics& m = face.Metrics();
        EXPECT_EQ(m.CellHeight, m.Ascent + m.Descent);
        EXPECT_EQ(m.EmHeight, 11) << "a negative height is the em height";
        EXPECT_EQ(rendererCell, m.CellHeight);
    });
    WithFace(SystemFont(16), [](TGdiFace& face) { EXPECT_EQ(face.Metrics().CellHeight, 16); });
}

TEST(GdiText, BitmapGlyphIsWholePixelsInsideItsCell) {
    WithFace(SystemFont(-11), [](TGdiFace& face) {
        const TFontMetrics& m = face.Metrics();
        for (char32_t c : {U'K', U'Ж', U'g'}) {
            const TGlyphImage& glyph = face.Glyph(std::uint32_t(c));
            ASSERT_GT(glyph.Width, 0) << std::uint32_t(c);
            ASSERT_EQ(glyph.Coverage.size(), std::size_t(glyph.Width) * std::size_t(glyph.Height));
            const int advance = face.Shape(std::u32string(1, c)).at(0).Advance;
            EXPECT_GE(glyph.Left, 0);
            EXPECT_LE(glyph.Left + glyph.Width, advance + 1);
            EXPECT_LE(glyph.Top, m.Ascent);
            EXPECT_GE(glyph.Top - glyph.Height, -m.Descent);
            int set = 0;
            for (std::uint8_t v : glyph.Coverage) {
                EXPECT_TRUE(v == 0 || v == 255);
                set += v == 255;
            }
            EXPECT_GT(set, 0);
        }
        EXPECT_EQ(face.Glyph(U' ').Width, 0) << "a blank has no pixels";
    });
}

TEST(GdiText, ScalableGlyphIsGreyLevelsInsideItsCell) {
    TFont font = SystemFont(-24);
    font.SetName(TFontLibrary::ScalableFamily);
    WithFace(font, [](TGdiFace& face) {
        ASSERT_FALSE(face.IsStrike());
        EXPECT_EQ(face.FamilyName(), TFontLibrary::ScalableFamily);
        const TFontMetrics& m = face.Metrics();
        const TGlyphImage& glyph = face.Glyph(U'О');
        ASSERT_GT(glyph.Width, 0);
        EXPECT_LE(glyph.Top, m.Ascent);
        EXPECT_GE(glyph.Top - glyph.Height, -m.Descent);
        EXPECT_LE(glyph.Left + glyph.Width, face.Shape(U"О").at(0).Advance + 1);
        bool grey = false, full = false;
        for (std::uint8_t v : glyph.Coverage) {
            grey = grey || (v > 0 && v < 255);
            full = full || v == 255;
        }
        EXPECT_TRUE(grey) << "outlines are antialiased";
        EXPECT_TRUE(full) << "64 of 64 levels is full coverage";
    });
}

TEST(GdiText, ShapeGivesOneGlyphPerCharacterWithItsCluster) {
    WithFace(SystemFont(-11), [](TGdiFace& face) {
        const std::u32string text = U"Кнопка";
        const std::vector<TShapedGlyph> glyphs = face.Shape(text);
        ASSERT_EQ(glyphs.size(), text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            EXPECT_EQ(glyphs[i].Index, std::uint32_t(text[i]));
            EXPECT_EQ(glyphs[i].Cluster, i);
            EXPECT_EQ(glyphs[i].Advance, GdiReference::CharWidthSum(face.Dc(), text.substr(i, 1)));
        }
        EXPECT_TRUE(face.Shape(U"").empty());
    });
}

TEST(GdiText, CharactersTheFaceLacksComeFromTheScalableFamily) {
    TFontLibrary& library = TFontLibrary::Instance();
    std::lock_guard lock(library.Mutex());
    const TFont font = SystemFont(-11);
    TFontFace* face = library.Face(font);
    ASSERT_NE(face, nullptr);
    TFontFace* fallback = library.FallbackFace(font);
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(fallback->FamilyName(), TFontLibrary::ScalableFamily);
    // Greek is in no code page of the bitmap font's Cyrillic file; Tahoma has π (not Ω).
    EXPECT_FALSE(face->HasGlyphFor(U'π'));
    EXPECT_TRUE(fallback->HasGlyphFor(U'π'));
    EXPECT_FALSE(face->HasGlyphFor(U'\U0001F600'));
}

TEST(GdiText, FallbackGlyphsAreMeasuredByTheirOwnFace) {
    const int pi = TextRenderer::TextExtent(SystemFont(-11), "π").Width;
    TFont scalable = SystemFont(-11);
    scalable.SetName(TFontLibrary::ScalableFamily);
    EXPECT_EQ(pi, TextRenderer::TextExtent(scalable, "π").Width);
    EXPECT_GT(pi, 0);
}

TEST(GdiText, AnUnknownFamilyIsSubstitutedByTheSystem) {
    TFont font = SystemFont(-11);
    font.SetName("No Such Family At All");
    WithFace(font, [](TGdiFace& face) {
        EXPECT_FALSE(face.FamilyName().empty());
        EXPECT_GT(face.Metrics().CellHeight, 0);
    });
    EXPECT_GT(TextRenderer::TextExtent(font, "Кнопка").Width, 0);
}

TEST(GdiText, AMissingFontFolderAddsNothingAndTheSystemsFontsStay) {
    TFontLibrary library("C:/no/such/quibbleton/fonts");
    std::lock_guard lock(library.Mutex());
    TFontFace* face = library.Face(SystemFont(-11));
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->FamilyName(), TFontLibrary::SystemFamily);
}
