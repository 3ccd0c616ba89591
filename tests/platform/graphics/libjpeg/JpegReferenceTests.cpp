#include <gtest/gtest.h>

#include "platform/graphics/JpegReferences.h"

// The decoder and djpeg are the same library with the same settings (islow IDCT, fancy
// upsampling), so every pixel is equal.

namespace {

void ExpectEqualToDjpeg(const std::string& name) {
    if (!jpegref::Available()) GTEST_SKIP() << "no reference pictures (djpeg, cjpeg or convert missing)";
    const jpegref::TDifference difference = jpegref::CompareWithDjpeg(name);
    EXPECT_EQ(difference.Max, 0) << name;
}

} // namespace

TEST(JpegReference, SkinTexturesEqualDjpeg) {
    ExpectEqualToDjpeg("marble");
    ExpectEqualToDjpeg("granite");
}

TEST(JpegReference, ProgressiveEqualsDjpeg) {
    ExpectEqualToDjpeg("progressive");
}

TEST(JpegReference, GreyEqualsDjpeg) {
    ExpectEqualToDjpeg("grey");
}

TEST(JpegReference, OddSizeWithHorizontalSubsamplingEqualsDjpeg) {
    ExpectEqualToDjpeg("odd");
}

TEST(JpegReference, OneScanPerCoefficientEqualsDjpeg) {
    ExpectEqualToDjpeg("coefficients");
}
