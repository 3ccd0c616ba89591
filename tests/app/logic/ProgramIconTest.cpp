#include "app/ProgramIcon.h"

#include <gtest/gtest.h>

#include "platform/graphics/PngReader.h"

namespace {

const std::string IconFile = QUIBBLETON_SOURCE_DIR "/app/desktop/quibbleton-48.png";

TEST(ProgramIcon, IsTheDesktopEntriesIconWithItsOpacity) {
    const TBitmap icon = ProgramIcon();
    const std::optional<TBitmap> file = ReadPngFile(IconFile);
    ASSERT_TRUE(file);
    ASSERT_EQ(icon.PixelFormat(), TPixelFormat::pf32bit);
    ASSERT_EQ(icon.Width(), file->Width());
    ASSERT_EQ(icon.Height(), file->Height());
    int opaque = 0, clear = 0;
    for (int y = 0; y < icon.Height(); ++y)
        for (int x = 0; x < icon.Width(); ++x) {
            const std::uint8_t* pixel = icon.ScanLine(y) + 4 * x;
            const std::uint8_t* plain = file->ScanLine(y) + 3 * x;
            if (pixel[3] == 0) ++clear;
            if (pixel[3] != 255) continue;
            ++opaque;
            EXPECT_EQ(pixel[0], plain[0]) << x << "," << y;
            EXPECT_EQ(pixel[1], plain[1]) << x << "," << y;
            EXPECT_EQ(pixel[2], plain[2]) << x << "," << y;
        }
    // The icon is opaque in places and see-through in others.
    EXPECT_GT(opaque, 0);
    EXPECT_GT(clear, 0);
}

} // namespace
