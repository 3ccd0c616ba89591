#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "platform/graphics/JpegCodec.h"
#include "skin/support/SkinTestSupport.h"

TEST(JpegCodec, RoundTripKeepsSizeAndColour) {
    const TBitmap source = skintest::SolidBitmap(40, 30, MakeColor(200, 40, 10));
    const TBitmap decoded = ReadJpeg(WriteJpeg(source, 95));
    ASSERT_EQ(decoded.Size(), (TSize{40, 30}));
    EXPECT_EQ(decoded.PixelFormat(), TPixelFormat::pf24bit);
    const TColor c = decoded.GetPixel(20, 15);
    EXPECT_NEAR(GetRValue(c), 200, 4);
    EXPECT_NEAR(GetGValue(c), 40, 4);
    EXPECT_NEAR(GetBValue(c), 10, 4);
}

TEST(JpegCodec, EmptyDataIsInvalid) {
    EXPECT_THROW(ReadJpeg({}), EInvalidGraphic);
}

TEST(JpegCodec, GarbageIsInvalid) {
    const auto bytes = skintest::Bytes("this is not a picture at all");
    EXPECT_THROW(ReadJpeg(bytes), EInvalidGraphic);
}

TEST(JpegCodec, TruncatedPictureIsBroken) {
    auto bytes = WriteJpeg(skintest::SolidBitmap(64, 64, clWhite));
    bytes.resize(bytes.size() / 2);
    EXPECT_THROW(ReadJpeg(bytes), EInvalidGraphic);
}

TEST(JpegCodec, ExtraneousBytesBeforeAMarkerAreABrokenPicture) {
    auto bytes = WriteJpeg(skintest::SolidBitmap(16, 16, clWhite));
    // Junk between the start-of-image marker and the next one.
    bytes.insert(bytes.begin() + 2, {0x12, 0x34, 0x56});
    EXPECT_THROW(ReadJpeg(bytes), EInvalidGraphic);
}

TEST(JpegCodec, HugeDeclaredSizeIsRefused) {
    auto bytes = WriteJpeg(skintest::SolidBitmap(8, 8, clWhite));
    // The SOF0 segment holds height and width as big-endian 16-bit values.
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = 0xFF;
            bytes[i + 6] = 0xFF;
            bytes[i + 7] = 0xFF;
            bytes[i + 8] = 0xFF;
            break;
        }
    }
    EXPECT_THROW(ReadJpeg(bytes), EInvalidGraphic);
}
