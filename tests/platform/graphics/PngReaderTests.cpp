#include <gtest/gtest.h>

#include <filesystem>

#include "platform/graphics/PngReader.h"
#include "platform/graphics/PngWriter.h"
#include "platform/os/PathText.h"

namespace {

TBitmap Stripes(int width, int height) {
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, MakeColor(std::uint8_t(x * 31), std::uint8_t(y * 17), std::uint8_t(x ^ y)));
    return b;
}

} // namespace

TEST(PngReader, ReadsBackWhatWasWritten) {
    const TBitmap b = Stripes(13, 7);
    EXPECT_EQ(ReadPng(WritePngToMemory(b)), b);
}

TEST(PngReader, ReadsAFile) {
    const auto path = std::filesystem::temp_directory_path() / "quibbleton_gfx_read.png";
    const TBitmap b = Stripes(6, 5);
    WritePng(b, path);
    EXPECT_EQ(ReadPngFile(PathText(path)), b);
    std::filesystem::remove(path);
}

TEST(PngReader, MissingFileGivesNothing) {
    EXPECT_FALSE(ReadPngFile((std::filesystem::temp_directory_path() / "quibbleton_no_such.png").string()));
}

TEST(PngReader, GarbageGivesNothing) {
    const std::vector<std::uint8_t> bytes{0x89, 'P', 'N', 'G', 1, 2, 3};
    EXPECT_FALSE(ReadPng(bytes));
    EXPECT_FALSE(ReadPng({}));
}

TEST(PngReader, TruncatedImageGivesNothing) {
    auto bytes = WritePngToMemory(Stripes(40, 40));
    bytes.resize(bytes.size() / 2);
    EXPECT_FALSE(ReadPng(bytes));
}

TEST(PngReader, SideBeyondTheLimitGivesNothing) {
    EXPECT_TRUE(ReadPng(WritePngToMemory(TBitmap(MaxPngSide, 1))));
    EXPECT_FALSE(ReadPng(WritePngToMemory(TBitmap(MaxPngSide + 1, 1))));
}
