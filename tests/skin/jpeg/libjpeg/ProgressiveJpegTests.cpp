#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "platform/graphics/JpegCodec.h"
#include "skin/support/ProgressiveJpeg.h"
#include "skin/support/SkinTestSupport.h"

// Progressive pictures written by libjpeg's own encoder with chosen scan scripts.

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
