// The hostile skins whose cases need a forked child with an address-space limit, links or FIFOs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>

#include "skin/TacSkinConvertor.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsSkinImageFinder.h"
#include "skin/TsSkinLoader.h"
#include "skin/hostile/HostileSkinSupport.h"
#include "skin/support/ChildProcess.h"
#include "skin/support/SkinTestSupport.h"

using namespace skintest;
using namespace hostiletest;

TEST(HostileMemory, PackageEntriesTogetherBeyondTheBudgetAreRefused) {
    // Twelve entries that each declare 256 MB of zeros: a few megabytes of package.
    const std::vector<std::uint8_t> zeros = ZeroStream(256 * MB);
    std::vector<std::uint8_t> package = {'M', 'V', 'z', 'f'};
    AppendInt(package, 12);
    for (int i = 0; i < 12; ++i) {
        const std::string name = "Z" + std::to_string(i) + ".BMP";
        AppendInt(package, std::int32_t(name.size()));
        AppendText(package, name);
        AppendInt(package, std::int32_t(256 * MB));
        package.insert(package.end(), zeros.begin(), zeros.end());
    }
    const TChildResult child = RunInChild(1024 * MB, [&] {
        TacSkinConvertor reader;
        reader.LendSource(package);
        try {
            reader.LoadPackage();
        } catch (const ESkinTooLarge&) {
            return Refused;
        }
        return Loaded;
    });
    EXPECT_TRUE(child.Exited);
    EXPECT_EQ(child.Code, Refused);
    EXPECT_LT(child.PeakBytes, 700 * MB);
}

TEST(HostileMemory, TinyRunLengthPictureNamedManyTimesIsRefused) {
    TTempFolder folder;
    std::string options = "[GLOBALINFO]\r\n[BUTTON]\r\n";
    for (int i = 0; i < 20; ++i)
        options += "K" + std::to_string(i) + "=!HUGE.BMP!1!0!0\r\n";
    folder.Write("Options.dat", options);
    folder.Write("HUGE.BMP", TinyRunLengthBmp(8192, 4096));
    const std::filesystem::path path = folder.Path();
    const TChildResult child = RunInChild(1024 * MB, [&] { return LoadFolderSkin(path); });
    EXPECT_TRUE(child.Exited);
    EXPECT_EQ(child.Code, Refused);
    EXPECT_LT(child.PeakBytes, 700 * MB);
}

TEST(HostileMemory, InheritedGradientsBeyondTheBudgetAreRefused) {
    // 2 MB of text per gradient: every heir holds both texts and both arrays, 12 MB each.
    const std::string text = InheritedGradients(200000, 300);
    const TChildResult child = RunInChild(1024 * MB, [&] {
        const TacSkinOptions options = TacSkinOptions::Parse(text);
        TsSkinModel model;
        TsSkinLoader loader(model);
        try {
            loader.Load({&options, nullptr, ""});
        } catch (const ESkinTooLarge&) {
            return Refused;
        }
        return Loaded;
    });
    EXPECT_TRUE(child.Exited);
    EXPECT_EQ(child.Code, Refused);
    EXPECT_LT(child.PeakBytes, 700 * MB);
    RecordProperty("PeakBytes", std::to_string(child.PeakBytes));
}

TEST(HostilePaths, FinderKeepsToTheSkinFolder) {
    TTempFolder outside;
    const std::vector<std::uint8_t> bmp = BmpFile(SolidBitmap(4, 4, MakeColor(9, 9, 9)));
    const std::filesystem::path secret = outside.Write("SECRET.BMP", bmp);
    const std::filesystem::path skin = outside.Path() / "Skin";
    std::filesystem::create_directories(skin / "SUB");
    outside.Write("Skin/IN.BMP", bmp);
    outside.Write("Skin/SUB/DEEP.BMP", bmp);
    std::filesystem::create_symlink(secret, skin / "LINK.BMP");
    std::filesystem::create_symlink("/dev/zero", skin / "ZERO.BMP");
    ASSERT_EQ(::mkfifo((skin / "FIFO.BMP").c_str(), 0600), 0);

    const TsSkinImageFinder finder(nullptr, skin.string() + "/");
    EXPECT_TRUE(finder.Find("IN.BMP"));
    EXPECT_TRUE(finder.Find("in.bmp"));
    EXPECT_TRUE(finder.Find("SUB/DEEP.BMP"));
    EXPECT_TRUE(finder.Find("SUB\\DEEP.BMP"));
    EXPECT_FALSE(finder.Find("../SECRET.BMP"));
    EXPECT_FALSE(finder.Find("SUB/../../SECRET.BMP"));
    EXPECT_FALSE(finder.Find(secret.string()));
    EXPECT_FALSE(finder.Find("C:" + secret.string()));
    EXPECT_FALSE(finder.Find("LINK.BMP"));
    EXPECT_FALSE(finder.Find("ZERO.BMP"));
    EXPECT_FALSE(finder.Find("FIFO.BMP"));
}
