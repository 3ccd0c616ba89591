#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <limits>
#include <numeric>
#include <utility>

#include "platform/core/Exceptions.h"
#include "platform/graphics/BmpCodec.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr TColor kRed8 = MakeColor(255, 0, 0);
constexpr TColor kBlue8 = MakeColor(0, 0, 255);

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}
void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}

// A file with an information header, optional masks and palette, and the given pixel bytes.
Bytes MakeFile(std::int32_t width, std::int32_t height, int bits, const Bytes& pixels,
               std::uint32_t compression = 0, std::vector<std::uint32_t> masks = {},
               std::vector<TColor> palette = {}, std::uint32_t paletteCount = 0) {
    const std::size_t pixelOffset = 14 + 40 + masks.size() * 4 + palette.size() * 4;
    Bytes b(pixelOffset, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, std::uint32_t(pixelOffset + pixels.size()));
    Put32(b, 10, std::uint32_t(pixelOffset));
    Put32(b, 14, 40);
    Put32(b, 18, std::uint32_t(width));
    Put32(b, 22, std::uint32_t(height));
    Put16(b, 26, 1);
    Put16(b, 28, std::uint32_t(bits));
    Put32(b, 30, compression);
    Put32(b, 46, paletteCount ? paletteCount : std::uint32_t(palette.size()));
    std::size_t at = 54;
    for (std::uint32_t m : masks)
        Put32(b, std::exchange(at, at + 4), m);
    for (TColor c : palette) {
        b[at++] = GetBValue(c);
        b[at++] = GetGValue(c);
        b[at++] = GetRValue(c);
        b[at++] = 0;
    }
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// Every pixel a different colour, so orientation and padding mistakes show.
TBitmap Pattern(int width, int height, TPixelFormat format) {
    TBitmap b(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, MakeColor(std::uint8_t(x * 37), std::uint8_t(y * 59), 200));
    return b;
}

TBitmap Indexed(int width, int height, int colours) {
    TBitmap b(width, height, TPixelFormat::pf8bit);
    std::vector<TColor> palette;
    for (int i = 0; i < colours; ++i)
        palette.push_back(MakeColor(std::uint8_t(i * 13), std::uint8_t(255 - i), 77));
    b.SetPalette(palette);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.ScanLine(y)[x] = std::uint8_t((x * 3 + y * 5) % colours);
    return b;
}

void ExpectRejected(const Bytes& file) {
    EXPECT_THROW(ReadBmp(file), EInvalidGraphic);
}

} // namespace

// ---- reading known files

TEST(BmpRead, BottomUpRowsComeFirstFromTheBottom) {
    // 2 x 2, 24 bits: the first stored row is the bottom one; rows pad to 8 bytes.
    const Bytes pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    const TBitmap b = ReadBmp(MakeFile(2, 2, 24, pixels));
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(b.GetPixel(0, 1), MakeColor(3, 2, 1));
    EXPECT_EQ(b.GetPixel(1, 1), MakeColor(6, 5, 4));
    EXPECT_EQ(b.GetPixel(0, 0), MakeColor(9, 8, 7));
}

TEST(BmpRead, TopDownRowsComeFirstFromTheTop) {
    const Bytes pixels = {1, 2, 3, 0, 7, 8, 9, 0};
    const TBitmap b = ReadBmp(MakeFile(1, -2, 24, pixels));
    EXPECT_EQ(b.GetPixel(0, 0), MakeColor(3, 2, 1));
    EXPECT_EQ(b.GetPixel(0, 1), MakeColor(9, 8, 7));
}

TEST(BmpRead, OneBitBecomesPalettised) {
    const Bytes pixels = {0b10100000, 0, 0, 0};
    const TBitmap b = ReadBmp(MakeFile(3, 1, 1, pixels, 0, {}, {clBlack, clWhite}));
    ASSERT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(b.Palette().size(), 2u);
    EXPECT_EQ(b.GetPixel(0, 0), clWhite);
    EXPECT_EQ(b.GetPixel(1, 0), clBlack);
    EXPECT_EQ(b.GetPixel(2, 0), clWhite);
}

TEST(BmpRead, FourBitNibblesHighFirst) {
    std::vector<TColor> palette(16, clBlack);
    palette[2] = MakeColor(10, 20, 30);
    palette[15] = MakeColor(1, 2, 3);
    const TBitmap b = ReadBmp(MakeFile(3, 1, 4, {0x2F, 0x20, 0, 0}, 0, {}, palette));
    EXPECT_EQ(b.ScanLine(0)[0], 2);
    EXPECT_EQ(b.ScanLine(0)[1], 15);
    EXPECT_EQ(b.GetPixel(2, 0), MakeColor(10, 20, 30));
}

TEST(BmpRead, ThirtyTwoBitChannelMasks) {
    // Red in the low byte, blue in the third: the reverse of the usual order.
    const Bytes pixels = {11, 22, 33, 44};
    const TBitmap b = ReadBmp(MakeFile(1, 1, 32, pixels, 3, {0x0000FF, 0x00FF00, 0xFF0000}));
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(b.GetPixel(0, 0), MakeColor(11, 22, 33));
}

TEST(BmpRead, SixteenBitFiveFiveFive) {
    // Red 31, green 0, blue 16.
    const std::uint16_t v = (31 << 10) | 16;
    const TBitmap b = ReadBmp(MakeFile(1, 1, 16, {std::uint8_t(v), std::uint8_t(v >> 8), 0, 0}));
    EXPECT_EQ(b.GetPixel(0, 0), MakeColor(255, 0, 132));
}

TEST(BmpRead, CoreHeaderWithThreeBytePalette) {
    Bytes b(14 + 12 + 2 * 3, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, std::uint32_t(b.size()));
    Put32(b, 14, 12);
    Put16(b, 18, 2);
    Put16(b, 20, 1);
    Put16(b, 22, 1);
    Put16(b, 24, 1);
    // Palette: index 0 blue, index 1 red (stored blue, green, red).
    b[26] = 255;
    b[31] = 255;
    b.insert(b.end(), {0b01000000, 0, 0, 0});
    const TBitmap bmp = ReadBmp(b);
    EXPECT_EQ(bmp.GetPixel(0, 0), MakeColor(0, 0, 255));
    EXPECT_EQ(bmp.GetPixel(1, 0), MakeColor(255, 0, 0));
}

// ---- round trips

class BmpRoundTrip : public ::testing::TestWithParam<TBmpRowOrder> {};

void PrintTo(TBmpRowOrder order, std::ostream* out) {
    *out << (order == TBmpRowOrder::BottomUp ? "bottom-up" : "top-down");
}

TEST_P(BmpRoundTrip, TwentyFourBit) {
    const TBitmap b = Pattern(5, 3, TPixelFormat::pf24bit);
    EXPECT_EQ(ReadBmp(WriteBmp(b, {GetParam(), 8})), b);
}

TEST_P(BmpRoundTrip, ThirtyTwoBit) {
    const TBitmap b = Pattern(3, 4, TPixelFormat::pf32bit);
    EXPECT_EQ(ReadBmp(WriteBmp(b, {GetParam(), 8})), b);
}

TEST_P(BmpRoundTrip, EightBitKeepsItsPalette) {
    const TBitmap b = Indexed(7, 3, 5);
    const TBitmap back = ReadBmp(WriteBmp(b, {GetParam(), 8}));
    EXPECT_EQ(back.Palette(), b.Palette());
    EXPECT_EQ(back, b);
}

TEST_P(BmpRoundTrip, FourBit) {
    const TBitmap b = Indexed(9, 4, 16);
    EXPECT_EQ(ReadBmp(WriteBmp(b, {GetParam(), 4})), b);
}

TEST_P(BmpRoundTrip, OneBit) {
    const TBitmap b = Indexed(35, 3, 2);
    EXPECT_EQ(ReadBmp(WriteBmp(b, {GetParam(), 1})), b);
}

INSTANTIATE_TEST_SUITE_P(RowOrders, BmpRoundTrip,
                         ::testing::Values(TBmpRowOrder::BottomUp, TBmpRowOrder::TopDown));

TEST(BmpWrite, TopDownStoresNegativeHeight) {
    const Bytes file = WriteBmp(Pattern(2, 3, TPixelFormat::pf24bit), {TBmpRowOrder::TopDown, 8});
    EXPECT_EQ(std::int32_t(file[22] | file[23] << 8 | file[24] << 16 | file[25] << 24), -3);
}

TEST(BmpWrite, EmptyBitmapIsRefused) {
    EXPECT_THROW(WriteBmp(TBitmap(0, 4)), EInvalidGraphic);
}

TEST(BmpWrite, IndexTooLargeForFewerBitsIsRefused) {
    EXPECT_THROW(WriteBmp(Indexed(4, 1, 3), {TBmpRowOrder::BottomUp, 1}), EInvalidGraphic);
}

TEST(BmpWrite, FileHelpersRoundTrip) {
    const auto path = std::filesystem::temp_directory_path() / "quibbleton_gfx_roundtrip.bmp";
    const TBitmap b = Pattern(4, 4, TPixelFormat::pf24bit);
    WriteBmpFile(b, path);
    EXPECT_EQ(ReadBmpFile(path), b);
    std::filesystem::remove(path);
    EXPECT_THROW(ReadBmpFile(path), EFOpenError);
}

// ---- malformed files

TEST(BmpMalformed, WrongMagic) {
    Bytes file = WriteBmp(Pattern(2, 2, TPixelFormat::pf24bit));
    file[1] = 'X';
    ExpectRejected(file);
}

TEST(BmpMalformed, EveryTruncationIsRejected) {
    const Bytes file = WriteBmp(Indexed(3, 2, 4));
    for (std::size_t n = 0; n < file.size(); ++n)
        EXPECT_THROW(ReadBmp(std::span(file.data(), n)), EInvalidGraphic) << "length " << n;
}

TEST(BmpMalformed, HeaderClaimsMoreRowsThanTheFileHolds) {
    Bytes file = MakeFile(2, 100, 24, Bytes(16, 0));
    ExpectRejected(file);
}

TEST(BmpMalformed, PixelOffsetPastTheEnd) {
    Bytes file = MakeFile(1, 1, 24, Bytes(4, 0));
    Put32(file, 10, 0x7FFFFFF0);
    ExpectRejected(file);
}

TEST(BmpMalformed, PixelOffsetInsideTheHeader) {
    Bytes file = MakeFile(1, 1, 24, Bytes(4, 0));
    Put32(file, 10, 20);
    ExpectRejected(file);
}

TEST(BmpMalformed, ZeroAndNegativeDimensions) {
    ExpectRejected(MakeFile(0, 1, 24, Bytes(4, 0)));
    ExpectRejected(MakeFile(1, 0, 24, Bytes(4, 0)));
    ExpectRejected(MakeFile(-1, 1, 24, Bytes(4, 0)));
    ExpectRejected(MakeFile(1, std::numeric_limits<std::int32_t>::min(), 24, Bytes(4, 0)));
}

TEST(BmpMalformed, HugeDimensionsRejectedBeforeAllocating) {
    try {
        ReadBmp(MakeFile(60000, 60000, 32, Bytes(4, 0)));
        FAIL() << "accepted";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
    ExpectRejected(MakeFile(0x7FFFFFFF, 1, 8, Bytes(4, 0), 0, {}, {clBlack}));
}

TEST(BmpMalformed, PaletteCountTooLarge) {
    ExpectRejected(MakeFile(1, 1, 8, Bytes(4, 0), 0, {}, {clBlack}, 257));
    ExpectRejected(MakeFile(1, 1, 1, Bytes(4, 0), 0, {}, {clBlack, clWhite}, 3));
}

TEST(BmpMalformed, PaletteRunsPastTheEnd) {
    // Claims 200 colours; the file holds 1 and a row.
    ExpectRejected(MakeFile(1, 1, 8, Bytes(4, 0), 0, {}, {clBlack}, 200));
}

TEST(BmpMalformed, UnsupportedDepthAndCompression) {
    ExpectRejected(MakeFile(1, 1, 7, Bytes(4, 0)));
    ExpectRejected(MakeFile(1, 1, 8, Bytes(4, 0), 4, {}, {clBlack}));
    ExpectRejected(MakeFile(1, 1, 24, Bytes(4, 0), 3, {1, 2, 4}));
}

TEST(BmpMalformed, UnknownHeaderSize) {
    Bytes file = MakeFile(1, 1, 24, Bytes(4, 0));
    Put32(file, 14, 20);
    ExpectRejected(file);
    Put32(file, 14, 0xFFFFFFF0);
    ExpectRejected(file);
}

// ---- run-length compressed files

TEST(BmpRunLength, EightBitRunsLiteralsAndRowEnds) {
    std::vector<TColor> palette = {clBlack, clWhite, kRed8, kBlue8};
    // Bottom row: run of 3 x index 2, then a literal 1, 3, 1 (odd, padded); top row: jump 1, then index 3.
    const Bytes data = {3, 2, 0, 3, 1, 3, 1, 0, 0, 0, 0, 2, 1, 0, 1, 3, 0, 1};
    const TBitmap b = ReadBmp(MakeFile(6, 2, 8, data, 1, {}, palette));
    const std::array<int, 6> bottom = {2, 2, 2, 1, 3, 1};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(b.ScanLine(1)[x], bottom[std::size_t(x)]) << x;
    EXPECT_EQ(b.ScanLine(0)[0], 0);
    EXPECT_EQ(b.ScanLine(0)[1], 3);
    EXPECT_EQ(b.Palette(), palette);
}

TEST(BmpRunLength, FourBitAlternatesNibbles) {
    std::vector<TColor> palette(16, clBlack);
    const Bytes data = {5, 0x12, 0, 3, 0x34, 0x50, 0, 1};
    const TBitmap b = ReadBmp(MakeFile(9, 1, 4, data, 2, {}, palette));
    const std::array<int, 9> expected = {1, 2, 1, 2, 1, 3, 4, 5, 0};
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(b.ScanLine(0)[x], expected[std::size_t(x)]) << x;
}

TEST(BmpRunLength, RunsPastTheEdgeAreCut) {
    const TBitmap b =
        ReadBmp(MakeFile(2, 1, 8, {200, 1, 0, 2, 255, 255, 7, 1, 0, 1}, 1, {}, {clBlack, clWhite}));
    EXPECT_EQ(b.ScanLine(0)[1], 1);
}

TEST(BmpRunLength, MissingEndIsRejected) {
    ExpectRejected(MakeFile(4, 1, 8, {4, 1}, 1, {}, {clBlack, clWhite}));
    ExpectRejected(MakeFile(4, 1, 8, {4, 1, 0, 2, 1}, 1, {}, {clBlack, clWhite}));
    ExpectRejected(MakeFile(4, 1, 8, {0, 5, 1, 1}, 1, {}, {clBlack, clWhite}));
}

TEST(BmpRunLength, TopDownOrWrongDepthIsRejected) {
    ExpectRejected(MakeFile(1, -1, 8, {0, 1}, 1, {}, {clBlack}));
    ExpectRejected(MakeFile(1, 1, 4, {0, 1}, 1, {}, {clBlack}));
}

TEST(BmpWrite, UnwritablePathIsAnError) {
    EXPECT_THROW(WriteBmpFile(Pattern(1, 1, TPixelFormat::pf24bit), "/nonexistent-dir/x.bmp"), EFCreateError);
}
