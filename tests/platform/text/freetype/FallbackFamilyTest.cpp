#include <gtest/gtest.h>

#include "platform/text/TFont.h"
#include "platform/text/TextRenderer.h"

// fontconfig's families: the DejaVu faces Debian installs.
TEST(TFontLookup, CharactersTheFaceLacksComeFromTheFallbackFamily) {
    // The DejaVu Math face has no Cyrillic letters.
    TFont math;
    math.SetName("DejaVu Math TeX Gyre");
    math.SetSize(12);
    TFont sans = math;
    sans.SetName("DejaVu Sans");
    EXPECT_EQ(TextRenderer::TextExtent(math, "Кнопка").Width, TextRenderer::TextExtent(sans, "Кнопка").Width);
}
