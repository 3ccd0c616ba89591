#include <gtest/gtest.h>

#include <filesystem>

#include "platform/core/Exceptions.h"
#include "platform/graphics/PngReader.h"
#include "platform/graphics/PngWriter.h"

namespace {

// Decodes PNG data to blue, green, red rows with the platform's reader.
TBitmap Decode(const std::vector<std::uint8_t>& data) {
    return ReadPng(data).value_or(TBitmap());
}

TBitmap Pattern(int width, int height, TPixelFormat format) {
    TBitmap b(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, MakeColor(std::uint8_t(x * 50), std::uint8_t(y * 70), 9));
    return b;
}

} // namespace

TEST(PngWriter, TwentyFourBitDecodesToTheSamePixels) {
    const TBitmap b = Pattern(5, 3, TPixelFormat::pf24bit);
    const auto data = WritePngToMemory(b);
    ASSERT_GE(data.size(), 8u);
    EXPECT_EQ(data[1], 'P');
    EXPECT_EQ(Decode(data), b);
}

TEST(PngWriter, ThirtyTwoBitDropsTheUnusedByte) {
    const TBitmap b = Pattern(3, 3, TPixelFormat::pf32bit);
    const TBitmap back = Decode(WritePngToMemory(b));
    ASSERT_EQ(back.Size(), b.Size());
    EXPECT_EQ(back.GetPixel(2, 1), b.GetPixel(2, 1));
}

TEST(PngWriter, PalettisedIsExpanded) {
    TBitmap b(2, 1, TPixelFormat::pf8bit);
    std::vector<TColor> palette(256, clBlack);
    palette[1] = MakeColor(1, 2, 3);
    b.SetPalette(palette);
    b.ScanLine(0)[1] = 1;
    EXPECT_EQ(Decode(WritePngToMemory(b)).GetPixel(1, 0), MakeColor(1, 2, 3));
}

TEST(PngWriter, WritesAFile) {
    const auto path = std::filesystem::temp_directory_path() / "quibbleton_gfx_shot.png";
    const TBitmap b = Pattern(4, 2, TPixelFormat::pf24bit);
    WritePng(b, path);
    EXPECT_EQ(std::filesystem::file_size(path), WritePngToMemory(b).size());
    std::filesystem::remove(path);
}

TEST(PngWriter, EmptyBitmapIsRefused) {
    EXPECT_THROW(WritePngToMemory(TBitmap(3, 0)), EInvalidGraphic);
}

TEST(PngWriter, UnwritablePathIsAnError) {
    EXPECT_THROW(WritePng(Pattern(1, 1, TPixelFormat::pf24bit), "/nonexistent-dir/x.png"), EFCreateError);
}
