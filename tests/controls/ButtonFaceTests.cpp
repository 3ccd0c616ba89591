#include <gtest/gtest.h>

#include "controls/ButtonFace.h"
#include "platform/canvas/TCanvas.h"

namespace {

TButtonFaceInputs Inputs(bool pushed, bool over, bool held) {
    TButtonFaceInputs in;
    in.Pushed = pushed;
    in.MouseOver = over;
    in.LeftHeld = held;
    return in;
}

TEST(ButtonFaceState, PushedWithThePointerOverIsPressed) {
    EXPECT_EQ(ButtonFaceState(Inputs(true, true, true)), bfsPressed);
}

TEST(ButtonFaceState, PushedAndDraggedOffFallsBackToHotOrNormal) {
    TButtonFaceInputs in = Inputs(true, false, true);
    EXPECT_EQ(ButtonFaceState(in), bfsNormal);
    in.Hot = true;
    EXPECT_EQ(ButtonFaceState(in), bfsHot);
}

TEST(ButtonFaceState, PushedByTheKeyIsPressedWithoutThePointer) {
    EXPECT_EQ(ButtonFaceState(Inputs(true, false, false)), bfsPressed);
}

TEST(ButtonFaceState, DownIsAlwaysPressed) {
    TButtonFaceInputs in;
    in.Down = true;
    EXPECT_EQ(ButtonFaceState(in), bfsPressed);
}

TEST(ButtonFaceState, DefaultLookStyleOrHotAreHot) {
    TButtonFaceInputs in;
    EXPECT_EQ(ButtonFaceState(in), bfsNormal);
    in.DefaultLook = true;
    EXPECT_EQ(ButtonFaceState(in), bfsHot);
    in = {};
    in.DefaultStyle = true;
    EXPECT_EQ(ButtonFaceState(in), bfsHot);
    in = {};
    in.Hot = true;
    EXPECT_EQ(ButtonFaceState(in), bfsHot);
}

TEST(ButtonCaptionRect, CentredWithOneExtraPixelLeftAndTwoRight) {
    const TSize text{41, 13};
    const int dx = (130 - 41) / 2, dy = (25 - 13) / 2;
    EXPECT_EQ(ButtonCaptionRect({130, 25}, text, bfsNormal), (TRect{dx - 1, dy, 130 - dx + 2, 25 - dy}));
    EXPECT_EQ(ButtonCaptionRect({130, 25}, text, bfsHot), (TRect{dx - 1, dy, 130 - dx + 2, 25 - dy}));
    EXPECT_EQ(ButtonCaptionRect({130, 25}, text, bfsPressed), (TRect{dx, dy + 1, 130 - dx + 3, 26 - dy}));
}

TEST(ButtonCaptionRect, EmptyCaptionIsCentredOnNothing) {
    EXPECT_EQ(ButtonCaptionRect({70, 17}, {0, 0}, bfsNormal), (TRect{34, 8, 37, 9}));
}

TEST(DottedFocusFrame, BlackEveryThirdPixelWhiteUpAndLeft) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(30, 20);
    bitmap.Fill(0x808080);
    TCanvas canvas(bitmap);
    const TRect r{4, 4, 16, 13};
    DrawDottedFocusFrame(canvas, r);
    for (int i = 0; i <= r.Width() / 3; ++i) {
        EXPECT_EQ(bitmap.GetPixel(r.Left + 3 * i, r.Top), clBlack) << i;
        EXPECT_EQ(bitmap.GetPixel(r.Left + 3 * i - 1, r.Bottom - 1), clWhite) << i;
    }
    for (int j = 0; j <= r.Height() / 3; ++j)
        EXPECT_EQ(bitmap.GetPixel(r.Right, r.Top + 3 * j), clBlack) << j;
    EXPECT_EQ(bitmap.GetPixel(r.Left + 1, r.Top), TColor(0x808080));
    EXPECT_EQ(bitmap.GetPixel(r.Left + 1, r.Top + 1), TColor(0x808080));
}

} // namespace
