#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/core/Exceptions.h"
#include "platform/graphics/JpegCodec.h"
#include "skin/support/ProgressiveJpeg.h"
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

// ---- progressive pictures

TEST(JpegCodec, ProgressivePictureOfTheStandardScriptIsRead) {
    const auto bytes = jpegtest::EncodeProgressive(64, 48, 3);
    ASSERT_EQ(CountJpegScans(bytes), 10);
    EXPECT_EQ(ReadJpeg(bytes).Size(), (TSize{64, 48}));
}

TEST(JpegCodec, ScanCountSkipsMarkersInsideSegments) {
    auto bytes = jpegtest::EncodeProgressive(16, 16, 1);
    const int scans = CountJpegScans(bytes);
    // An application segment whose payload holds a start-of-scan marker.
    bytes.insert(bytes.begin() + 2, {0xFF, 0xE5, 0x00, 0x06, 0xFF, 0xDA, 0x00, 0x02});
    EXPECT_EQ(CountJpegScans(bytes), scans);
    EXPECT_NO_THROW(ReadJpeg(bytes));
    EXPECT_EQ(CountJpegScans(skintest::Bytes("no picture")), 0);
}

TEST(JpegCodec, RepeatedRefinementScanIsABrokenPicture) {
    const auto good = jpegtest::EncodeProgressive(64, 48, 3);
    ASSERT_NO_THROW(ReadJpeg(good));
    const auto repeated = jpegtest::RepeatLastScan(good, 3);
    ASSERT_EQ(CountJpegScans(repeated), 13);
    EXPECT_THROW(ReadJpeg(repeated), EInvalidGraphic);
}

TEST(JpegCodec, ManyScansOfASmallPictureAreRead) {
    // 64 scans over 64 x 64 pixels are far within the work the decoder takes on.
    const auto bytes = jpegtest::EncodeProgressive(64, 64, 1, jpegtest::OneScanPerCoefficient());
    ASSERT_EQ(CountJpegScans(bytes), 64);
    ASSERT_LE(64 * 64 * 64, MaxJpegScanWork);
    EXPECT_EQ(ReadJpeg(bytes).Size(), (TSize{64, 64}));
}

TEST(JpegCodec, ScansTimesPixelsBeyondTheWorkBoundAreRefused) {
    // The same 64 legal scans, with the frame declaring a picture large enough that they
    // pass the bound: it is refused from its scan count, before any scan is decoded.
    const int width = 4096, height = int(MaxJpegScanWork / 64 / width) + 8;
    ASSERT_GT(std::int64_t(64) * width * height, MaxJpegScanWork);
    ASSERT_LE(std::int64_t(width) * height, MaxJpegPixels);
    auto bytes = jpegtest::EncodeProgressive(64, 64, 1, jpegtest::OneScanPerCoefficient());
    ASSERT_TRUE(jpegtest::SetFrameSize(bytes, width, height));
    EXPECT_THROW(ReadJpeg(bytes), EInvalidGraphic);
}

// ---- as a skin's texture

TEST(JpegTexture, ProgressivePictureStaysAnExternalImage) {
    auto model =
        skintest::LoadPackageSkin("[FORM]\nPATTERN=WOOD.JPG\n",
                                  {skintest::Entry("WOOD.JPG", jpegtest::EncodeProgressive(300, 300, 3))});
    EXPECT_EQ(model->PatternData.size(), 1u);
}

TEST(JpegTexture, PictureRepeatingItsLastScanIsSkippedAsBroken) {
    const auto repeated = jpegtest::RepeatLastScan(jpegtest::EncodeProgressive(300, 300, 3), 40);
    auto model =
        skintest::LoadPackageSkin("[FORM]\nPATTERN=WOOD.JPG\n", {skintest::Entry("WOOD.JPG", repeated)});
    EXPECT_TRUE(model->PatternData.empty());
    EXPECT_TRUE(model->MaskData.empty());
}
