#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "skin/storedskins/StoredSkinPackages.h"
#include "tools/quibbleton-skin/SkinTool.h"

// Every skin the program ships must keep its text readable at every hue offset the program
// wears skins with, plain and with the `Saturation` 100 some of its managers add: the skin
// tool's check finds no problem in any of them.

namespace {

// The stored skins the program carries and the extra skins installed beside it, as the skin
// tool names them.
const std::array<std::string, 7> ShippedSkins = {
    "stored:Desert (internal)",
    "stored:Golden (internal)",
    "stored:Office2003 (internal)",
    "stored:Office2007 Black (internal)",
    "stored:Office2007 Blue (internal)",
    std::string(QUIBBLETON_SOURCE_DIR) + "/skins/extra/Aurora",
    std::string(QUIBBLETON_SOURCE_DIR) + "/skins/extra/Marble",
};

// The hue offsets of the program's skin managers and of its options dialog's choices, and
// the saturations its managers use.
constexpr std::array<int, 6> DesignHues = {0, 50, 60, 170, 240, 340};
constexpr std::array<int, 2> DesignSaturations = {0, 100};

struct TCheckRun {
    int Status = 0;
    std::string Out;
    std::string Err;
};

TCheckRun CheckSkin(const std::string& skin, int hue, int saturation = 0) {
    std::ostringstream out, err;
    TCheckRun run;
    run.Status =
        RunSkinTool({"check", skin, "--hue", std::to_string(hue), "--saturation", std::to_string(saturation)},
                    out, err, StoredSkinPackages());
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

class ShippedSkinContrast : public ::testing::TestWithParam<std::tuple<std::string, int, int>> {};

TEST_P(ShippedSkinContrast, CheckFindsNoProblem) {
    const auto& [skin, hue, saturation] = GetParam();
    const TCheckRun run = CheckSkin(skin, hue, saturation);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("0 problems found"), std::string::npos)
        << skin << " at hue " << hue << ", saturation " << saturation << ":\n"
        << run.Out;
}

INSTANTIATE_TEST_SUITE_P(EveryShippedSkinAtEveryDesignHue, ShippedSkinContrast,
                         ::testing::Combine(::testing::ValuesIn(ShippedSkins),
                                            ::testing::ValuesIn(DesignHues),
                                            ::testing::ValuesIn(DesignSaturations)));

TEST(ShippedSkins, EveryStoredSkinIsChecked) {
    // A stored skin added to the build but not to the list above would go unchecked.
    for (const TStoredSkinPackage& package : StoredSkinPackages()) {
        const std::string name = "stored:" + std::string(package.Name);
        EXPECT_NE(std::find(ShippedSkins.begin(), ShippedSkins.end(), name), ShippedSkins.end()) << name;
    }
    EXPECT_EQ(StoredSkinPackages().size(), 5u);
}

TEST(ShippedSkins, CheckReportsTextThatEqualsItsFaceAtEveryHue) {
    // The suite above trusts the check to speak up: grey text on the same grey is reported
    // at every hue, in both states.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "quibbleton-shipped-contrast-negative";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Options.dat", std::ios::binary)
        << "[GLOBALINFO]\r\n[BUTTON]\r\nCOLOR=8421504\r\nHOTCOLOR=8421504\r\n"
           "FONTCOLOR=8421504\r\nHOTFONTCOLOR=8421504\r\n";
    for (const int hue : DesignHues) {
        const TCheckRun run = CheckSkin(folder.string(), hue);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_NE(run.Out.find("[BUTTON] normal: text contrast 1.00"), std::string::npos) << run.Out;
        EXPECT_NE(run.Out.find("[BUTTON] hot: text contrast 1.00"), std::string::npos) << run.Out;
    }
    std::filesystem::remove_all(folder);
}

} // namespace
