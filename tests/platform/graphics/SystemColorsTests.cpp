#include <gtest/gtest.h>

#include "platform/graphics/SystemColors.h"
#include "platform/graphics/SystemMetrics.h"

TEST(SystemColors, ClassicSchemeValues) {
    EXPECT_EQ(ColorToRGB(clBtnFace), MakeColor(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clHighlight), MakeColor(10, 36, 106));
    EXPECT_EQ(ColorToRGB(clBtnShadow), MakeColor(128, 128, 128));
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), MakeColor(64, 64, 64));
    EXPECT_EQ(ColorToRGB(clInfoBk), MakeColor(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clActiveCaption), MakeColor(10, 36, 106));
}

TEST(SystemColors, PlainColoursPassUnchanged) {
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
    EXPECT_EQ(ColorToRGB(clFuchsia), clFuchsia);
}

TEST(SystemColors, UnknownIndexIsBlack) {
    EXPECT_EQ(GetSysColor(-1), clBlack);
    EXPECT_EQ(GetSysColor(200), clBlack);
    EXPECT_EQ(ColorToRGB(0xFF0000C8), clBlack);
}

TEST(SystemMetrics, ClassicFrameAndCaptionSizes) {
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CYSMCAPTION), 15);
    EXPECT_EQ(GetSystemMetrics(SM_CXDLGFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CXFIXEDFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CYFRAME), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
}

TEST(SystemMetrics, IndexesMatchThePlatform) {
    EXPECT_EQ(SM_CYCAPTION, 4);
    EXPECT_EQ(SM_CXFRAME, 32);
    EXPECT_EQ(SM_CYSMCAPTION, 51);
    EXPECT_EQ(GetSystemMetrics(0), 0); // the screen width belongs to the toolkit
    EXPECT_EQ(GetSystemMetrics(9999), 0);
}
