#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/TBitmap.h"
#include "tools/quibbleton-skin/SkinTool.h"
#include "tools/quibbleton-skin/TextContrast.h"

namespace fs = std::filesystem;

namespace {

TEST(TextContrast, RatiosOfKnownColourPairs) {
    EXPECT_DOUBLE_EQ(ContrastRatio(clBlack, clWhite), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(clWhite, clBlack), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0x336699, 0x336699), 1.0);
    // Mid grey 0x777777 on white is the classic just-readable pair: 4.48 : 1.
    EXPECT_NEAR(ContrastRatio(0x777777, clWhite), 4.48, 0.01);
    EXPECT_NEAR(RelativeLuminance(MakeColor(255, 0, 0)), 0.2126, 1e-9);
    EXPECT_NEAR(RelativeLuminance(MakeColor(0, 0, 255)), 0.0722, 1e-9);
}

TEST(TextContrast, BackgroundMixesTheGradientMeanByItsPercentage) {
    TsGeneralData section;
    section.Color = MakeColor(200, 100, 0);
    EXPECT_EQ(TextBackground(section, false), MakeColor(200, 100, 0));
    section.GradientArray = {{MakeColor(0, 0, 0), MakeColor(100, 200, 40), 100, 0, 0}};
    section.GradientPercent = 50;
    // Gradient mean (50, 100, 20), half of it over the colour.
    EXPECT_EQ(TextBackground(section, false), MakeColor(125, 100, 10));
    section.GradientPercent = 100;
    EXPECT_EQ(TextBackground(section, false), MakeColor(50, 100, 20));
    // The hot state reads its own colour and gradient.
    section.HotColor = clWhite;
    EXPECT_EQ(TextBackground(section, true), clWhite);
}

class TextContrastCheck : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("quibbleton-contrast-" +
                    std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        TBitmap master(4, 4);
        WriteBmpFile(master, m_folder / "MASTER.BMP");
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string Check(const std::string& sections, std::vector<std::string> options = {}) {
        std::ofstream(m_folder / "Options.dat", std::ios::binary)
            << "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n"
            << sections;
        std::vector<std::string> args = {"check", m_folder.string()};
        args.insert(args.end(), options.begin(), options.end());
        std::ostringstream out, err;
        EXPECT_EQ(RunSkinTool(args, out, err, {}), 0) << err.str();
        return out.str();
    }

    fs::path m_folder;
};

TEST_F(TextContrastCheck, WarnsOfHardToReadTextBySectionStateAndRatio) {
    // Grey 0x808080 on grey 0x999999 in the normal state; black on white when hot.
    const std::string out = Check("[BUTTON]\r\nCOLOR=10066329\r\nFONTCOLOR=8421504\r\n"
                                  "HOTCOLOR=16777215\r\nHOTFONTCOLOR=0\r\n");
    const double ratio = ContrastRatio(0x808080, 0x999999);
    std::ostringstream expected;
    expected << "[BUTTON] normal: text contrast " << std::fixed << std::setprecision(2) << ratio
             << " : 1 is below 4.5 : 1";
    EXPECT_NE(out.find(expected.str()), std::string::npos) << out;
    EXPECT_EQ(out.find("[BUTTON] hot"), std::string::npos) << out;
    EXPECT_NE(out.find("1 problem found"), std::string::npos) << out;
}

TEST_F(TextContrastCheck, SectionsWithoutTextAreNotChecked) {
    // A scroll bar draws no text: equal colours do not matter there.
    const std::string out = Check("[SCROLLBAR1H]\r\nCOLOR=0\r\nHOTCOLOR=0\r\n");
    EXPECT_NE(out.find("0 problems found"), std::string::npos) << out;
}

TEST_F(TextContrastCheck, HueChecksTheRecolouredSkin) {
    // Blue text on a pure red face is hard to read (2.15 : 1). Turned by 120 degrees the face
    // is pure green and the text pure red: still hard to read, at the recoloured pair's ratio.
    const std::string sections = "[EDIT]\r\nCOLOR=255\r\nHOTCOLOR=255\r\nFONTCOLOR=16711680\r\n"
                                 "HOTFONTCOLOR=16711680\r\n";
    const std::string plain = Check(sections);
    EXPECT_NE(plain.find("[EDIT] normal"), std::string::npos) << plain;
    const std::string turned = Check(sections, {"--hue", "120"});
    const double ratio = ContrastRatio(MakeColor(255, 0, 0), MakeColor(0, 255, 0));
    std::ostringstream expected;
    expected << "[EDIT] normal: text contrast " << std::fixed << std::setprecision(2) << ratio;
    EXPECT_NE(turned.find(expected.str()), std::string::npos) << turned;
}

} // namespace

TEST_F(TextContrastCheck, AnOwnSectionIsCheckedWhenAnyOfItsPartsSetsATextColour) {
    // The section is named twice; its second part gives it a text colour, equal to its face.
    const std::string out = Check(
        "[MYLABEL]\r\nCOLOR=0\r\nHOTCOLOR=0\r\n[SCROLLBAR1H]\r\nCOLOR=0\r\n[MYLABEL]\r\nFONTCOLOR=0\r\n");
    EXPECT_NE(out.find("[MYLABEL] normal"), std::string::npos) << out;
    EXPECT_EQ(out.find("[SCROLLBAR1H]"), std::string::npos) << out;
}
