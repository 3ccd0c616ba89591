#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/graphics/JpegLayout.h"
#include "platform/graphics/JpegReferences.h"
#include "platform/graphics/PngWriter.h"
#include "skin/support/JpegSurgery.h"

namespace {

#define REQUIRE_REFERENCES()                                                                                 \
    if (!jpegref::Available()) GTEST_SKIP() << "no reference pictures (djpeg, cjpeg or convert missing)"

// The offset of the nth marker of the kind (0: the first), or the size when there is none.
std::size_t FindMarker(const std::vector<std::uint8_t>& jpeg, std::uint8_t marker, int nth = 0) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == marker && nth-- == 0) return i;
    return jpeg.size();
}

} // namespace

// ---- the markers

TEST(JpegLayout, SoundPicturesShowNoDamage) {
    REQUIRE_REFERENCES();
    for (const std::string& name : jpegref::Names()) {
        const TJpegLayout layout = ReadJpegLayout(jpegref::Jpeg(name));
        const TBitmap reference = jpegref::Reference(name);
        EXPECT_EQ(layout.Damage, "") << name;
        EXPECT_EQ(layout.Width, reference.Width()) << name;
        EXPECT_EQ(layout.Height, reference.Height()) << name;
    }
}

TEST(JpegLayout, ProgressiveFrameIsKnown) {
    REQUIRE_REFERENCES();
    EXPECT_TRUE(ReadJpegLayout(jpegref::Jpeg("progressive")).Progressive);
    EXPECT_FALSE(ReadJpegLayout(jpegref::Jpeg("marble")).Progressive);
}

TEST(JpegLayout, MissingEndIsDamage) {
    REQUIRE_REFERENCES();
    auto bytes = jpegref::Jpeg("marble");
    bytes.resize(bytes.size() - 2);
    EXPECT_NE(ReadJpegLayout(bytes).Damage, "");
}

TEST(JpegLayout, BytesBetweenSegmentsAreDamage) {
    REQUIRE_REFERENCES();
    auto bytes = jpegref::Jpeg("marble");
    const std::size_t frame = FindMarker(bytes, 0xC0);
    bytes.insert(bytes.begin() + std::ptrdiff_t(frame), {0x12, 0x34});
    EXPECT_NE(ReadJpegLayout(bytes).Damage, "");
}

TEST(JpegLayout, ScanDataIsNotDamage) {
    REQUIRE_REFERENCES();
    const auto bytes = jpegref::Jpeg("marble");
    // The bytes after the scan header are entropy-coded data, any value allowed.
    ASSERT_LT(FindMarker(bytes, 0xDA), bytes.size());
    EXPECT_EQ(ReadJpegLayout(bytes).Damage, "");
}

TEST(JpegLayout, RefinementWithoutItsFirstScanIsDamage) {
    REQUIRE_REFERENCES();
    auto bytes = jpegref::Jpeg("coefficients");
    // The second scan sends coefficient 1 of the grey component; announced as a refinement
    // (Ah 1, Al 0) it refines bits no scan has sent.
    const std::size_t second = FindMarker(bytes, 0xDA, 1);
    ASSERT_LT(second + 9, bytes.size());
    ASSERT_EQ(bytes[second + 4], 1); // one component
    bytes[second + 9] = 0x10;
    EXPECT_NE(ReadJpegLayout(bytes).Damage, "");
}

TEST(JpegLayout, ACScanBeforeTheDCScanIsDamage) {
    REQUIRE_REFERENCES();
    auto bytes = jpegref::Jpeg("coefficients");
    // The first scan, the DC one, made into one of coefficients 1 ... 1.
    const std::size_t first = FindMarker(bytes, 0xDA);
    bytes[first + 7] = 1;
    bytes[first + 8] = 1;
    EXPECT_NE(ReadJpegLayout(bytes).Damage, "");
}

TEST(JpegLayout, ScanHeaderPastItsSegmentIsDamage) {
    REQUIRE_REFERENCES();
    auto bytes = jpegref::Jpeg("marble");
    const std::size_t scan = FindMarker(bytes, 0xDA);
    bytes[scan + 4] = 4; // four components in a segment that holds three
    EXPECT_NE(ReadJpegLayout(bytes).Damage, "");
}

TEST(JpegLayout, NotAJpegIsDamage) {
    const std::vector<std::uint8_t> bytes{'n', 'o', 't'};
    EXPECT_NE(ReadJpegLayout(bytes).Damage, "");
    EXPECT_EQ(CountJpegScans(bytes), 0);
}

TEST(JpegLayout, BoundsRefuseWhatTheDecoderMustNotStart) {
    EXPECT_EQ(JpegBoundsFault(MaxJpegSide, MaxJpegPixels / MaxJpegSide, 1), "");
    EXPECT_NE(JpegBoundsFault(MaxJpegSide + 1, 1, 1), "");
    EXPECT_NE(JpegBoundsFault(0, 1, 1), "");
    EXPECT_NE(JpegBoundsFault(MaxJpegSide, MaxJpegSide, 1), "");
    EXPECT_NE(JpegBoundsFault(1, 1, MaxJpegScans + 1), "");
    EXPECT_NE(JpegBoundsFault(MaxJpegSide, MaxJpegPixels / MaxJpegSide, MaxJpegScanWork / MaxJpegPixels + 1),
              "");
}

// ---- the decoder on pictures of the platform's own encoders

TEST(JpegDecoder, ProgressivePictureIsRead) {
    REQUIRE_REFERENCES();
    const auto bytes = jpegref::Jpeg("progressive");
    EXPECT_EQ(ReadJpeg(bytes).Size(), jpegref::Reference("progressive").Size());
}

TEST(JpegDecoder, RepeatedRefinementScanIsABrokenPicture) {
    REQUIRE_REFERENCES();
    const auto good = jpegref::Jpeg("progressive");
    const auto repeated = jpegtest::RepeatLastScan(good, 3);
    ASSERT_EQ(CountJpegScans(repeated), CountJpegScans(good) + 3);
    EXPECT_THROW(ReadJpeg(repeated), EInvalidGraphic);
}

TEST(JpegDecoder, ManyScansOfASmallPictureAreRead) {
    REQUIRE_REFERENCES();
    const auto bytes = jpegref::Jpeg("coefficients");
    const TJpegLayout layout = ReadJpegLayout(bytes);
    ASSERT_EQ(layout.Scans, 64);
    ASSERT_LE(std::int64_t(layout.Scans) * layout.Width * layout.Height, MaxJpegScanWork);
    EXPECT_EQ(ReadJpeg(bytes).Size(), (TSize{layout.Width, layout.Height}));
}

TEST(JpegDecoder, ScansTimesPixelsBeyondTheWorkBoundAreRefused) {
    REQUIRE_REFERENCES();
    // The same 64 legal scans, the frame declaring a picture large enough that they pass the
    // bound: refused from the scan count, before any scan is decoded.
    auto bytes = jpegref::Jpeg("coefficients");
    const int width = 4096, height = int(MaxJpegScanWork / 64 / width) + 8;
    ASSERT_GT(std::int64_t(64) * width * height, MaxJpegScanWork);
    ASSERT_LE(std::int64_t(width) * height, MaxJpegPixels);
    ASSERT_TRUE(jpegtest::SetFrameSize(bytes, width, height));
    EXPECT_THROW(ReadJpeg(bytes), EInvalidGraphic);
}

TEST(JpegDecoder, TruncatedProgressivePictureIsBroken) {
    REQUIRE_REFERENCES();
    auto bytes = jpegref::Jpeg("progressive");
    bytes.resize(bytes.size() * 2 / 3);
    EXPECT_THROW(ReadJpeg(bytes), EInvalidGraphic);
}

TEST(JpegDecoder, APngIsNotAJpeg) {
    EXPECT_THROW(ReadJpeg(WritePngToMemory(TBitmap(4, 4))), EInvalidGraphic);
}
