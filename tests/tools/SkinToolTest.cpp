#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/TBitmap.h"
#include "platform/os/FileSystem.h"
#include "skin/TacSkinConvertor.h"
#include "tools/quibbleton-skin/SkinTool.h"

namespace fs = std::filesystem;

namespace {

struct TToolRun {
    int Status = 0;
    std::string Out;
    std::string Err;
};

TToolRun RunTool(std::vector<std::string> args) {
    std::ostringstream out, err;
    TToolRun run;
    run.Status = RunSkinTool(args, out, err, {});
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

std::vector<std::uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class SkinToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root =
            fs::temp_directory_path() /
            ("quibbleton-skin-tool-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root);
    }
    void TearDown() override { fs::remove_all(m_root); }

    // A small folder skin: one section with a border mask cut from a 12 x 8 master bitmap.
    fs::path MakeFolderSkin(const std::string& name, const std::string& extraOptions = "") {
        const fs::path folder = m_root / name;
        fs::create_directories(folder);
        WriteText(folder / "Options.dat", "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\nVERSION=5.41\r\n"
                                          "[BUTTON]\r\nCOLOR=255\r\n"
                                          "BORDERSMASK=^0000^0000^0012^0008^0000^0000^0000^0000^3^1^4^0\r\n" +
                                              extraOptions);
        TBitmap master(12, 8);
        master.Fill(MakeColor(10, 20, 30));
        const std::vector<std::uint8_t> bmp = WriteBmp(master);
        WriteFileAtomically((folder / "Master.bmp").string(), std::span<const std::uint8_t>(bmp));
        return folder;
    }

    fs::path m_root;
};

TEST_F(SkinToolTest, HelpSucceedsAndNoArgumentsFail) {
    EXPECT_EQ(RunTool({"--help"}).Status, 0);
    EXPECT_NE(RunTool({"--help"}).Out.find("pack DIR OUT.mvz"), std::string::npos);
    EXPECT_EQ(RunTool({}).Status, 1);
}

TEST_F(SkinToolTest, UnknownCommandAndWrongArgumentCountFail) {
    const TToolRun unknown = RunTool({"frobnicate"});
    EXPECT_EQ(unknown.Status, 1);
    EXPECT_NE(unknown.Err.find("unknown command"), std::string::npos);
    EXPECT_EQ(RunTool({"pack", "only-one"}).Status, 1);
    EXPECT_EQ(RunTool({"list"}).Status, 1);
}

TEST_F(SkinToolTest, PackPutsOptionsFirstThenImagesByName) {
    const fs::path folder = MakeFolderSkin("Blue");
    const std::vector<std::uint8_t> bmp = WriteBmp(TBitmap(2, 2));
    WriteFileAtomically((folder / "Alpha.bmp").string(), std::span<const std::uint8_t>(bmp));
    WriteText(folder / "notes.txt", "not an image");
    const fs::path package = m_root / "Blue.mvz";
    const TToolRun pack = RunTool({"pack", folder.string(), package.string()});
    ASSERT_EQ(pack.Status, 0) << pack.Err;
    EXPECT_NE(pack.Err.find("notes.txt"), std::string::npos);

    const TToolRun list = RunTool({"list", package.string()});
    ASSERT_EQ(list.Status, 0) << list.Err;
    std::istringstream lines(list.Out);
    std::string first, second, third, extra;
    std::getline(lines, first);
    std::getline(lines, second);
    std::getline(lines, third);
    EXPECT_TRUE(first.starts_with("Options.dat\t")) << first;
    EXPECT_TRUE(second.starts_with("Alpha.bmp\t")) << second;
    EXPECT_TRUE(second.ends_with("\tbitmap")) << second;
    EXPECT_TRUE(third.starts_with("Master.bmp\t")) << third;
    EXPECT_FALSE(std::getline(lines, extra));
}

TEST_F(SkinToolTest, UnpackRestoresTheFilesByteForByte) {
    const fs::path folder = MakeFolderSkin("Sand");
    const fs::path package = m_root / "Sand.mvz";
    ASSERT_EQ(RunTool({"pack", folder.string(), package.string()}).Status, 0);
    const fs::path target = m_root / "out";
    const TToolRun unpack = RunTool({"unpack", package.string(), target.string()});
    ASSERT_EQ(unpack.Status, 0) << unpack.Err;
    EXPECT_EQ(ReadFileBytes((target / "Options.dat").string()),
              ReadFileBytes((folder / "Options.dat").string()));
    EXPECT_EQ(ReadFileBytes((target / "Master.bmp").string()),
              ReadFileBytes((folder / "Master.bmp").string()));
}

TEST_F(SkinToolTest, UnpackRefusesUnsafeEntryNamesAndWritesNothing) {
    for (const std::string bad : {"../evil.bmp", "sub/evil.bmp", "c:evil.bmp", "evil\x01.bmp", ".."}) {
        const std::vector<TacPackageEntry> entries = {{"Options.dat", false, Bytes("[GLOBALINFO]\r\n")},
                                                      {"Good.bmp", true, Bytes("BM")},
                                                      {bad, true, Bytes("BM")}};
        const std::vector<std::uint8_t> package = BuildPackage(entries);
        const fs::path path = m_root / "bad.mvz";
        WriteFileAtomically(path.string(), std::span<const std::uint8_t>(package));
        const fs::path target = m_root / "unpacked";
        const TToolRun unpack = RunTool({"unpack", path.string(), target.string()});
        EXPECT_EQ(unpack.Status, 1) << bad;
        EXPECT_NE(unpack.Err.find("refusing entry name"), std::string::npos) << bad;
        EXPECT_FALSE(fs::exists(target / "Good.bmp")) << bad;
        EXPECT_FALSE(fs::exists(m_root / "evil.bmp")) << bad;
    }
}

TEST_F(SkinToolTest, ListRejectsAFileThatIsNoPackage) {
    const fs::path path = m_root / "fake.mvz";
    WriteText(path, "MVZF0000");
    const TToolRun list = RunTool({"list", path.string()});
    EXPECT_EQ(list.Status, 1);
    EXPECT_NE(list.Err.find("Loaded data is not packed Murvane file"), std::string::npos);
    EXPECT_EQ(RunTool({"list", (m_root / "missing.mvz").string()}).Status, 1);
}

TEST_F(SkinToolTest, NamesListsFoldersAndPackagesSortedWithDuplicates) {
    MakeFolderSkin("Blue");
    MakeFolderSkin("apple");
    fs::create_directories(m_root / "NoOptions");
    ASSERT_EQ(RunTool({"pack", (m_root / "Blue").string(), (m_root / "Blue.mvz").string()}).Status, 0);
    WriteText(m_root / "Shouting.MVZ", "ignored: capital extension");
    const TToolRun names = RunTool({"names", m_root.string()});
    ASSERT_EQ(names.Status, 0) << names.Err;
    EXPECT_EQ(names.Out, "apple\nBlue\nBlue\n");
}

TEST_F(SkinToolTest, DumpPrintsTheModelWithHueApplied) {
    const fs::path folder = MakeFolderSkin("Red");
    const TToolRun plain = RunTool({"dump", folder.string()});
    ASSERT_EQ(plain.Status, 0) << plain.Err;
    EXPECT_NE(plain.Out.find("\"master\":[12,8]"), std::string::npos) << plain.Out;
    EXPECT_NE(plain.Out.find("\"ClassName\":\"BUTTON\""), std::string::npos);
    EXPECT_NE(plain.Out.find("\"Color\":255"), std::string::npos);
    // Pure red turned by 120 degrees is pure green.
    const TToolRun turned = RunTool({"dump", folder.string(), "--hue", "120"});
    ASSERT_EQ(turned.Status, 0) << turned.Err;
    EXPECT_NE(turned.Out.find("\"Color\":65280"), std::string::npos);
    EXPECT_EQ(RunTool({"dump", folder.string(), "--hue"}).Status, 1);
    EXPECT_EQ(RunTool({"dump", folder.string(), "--hue", "abc"}).Status, 1);
}

TEST_F(SkinToolTest, CheckFindsNoProblemInASoundSkin) {
    const TToolRun check = RunTool({"check", MakeFolderSkin("Fine").string()});
    EXPECT_EQ(check.Status, 0) << check.Out << check.Err;
}

TEST_F(SkinToolTest, CheckReportsMissingImagesAndLoopsBySectionAndKey) {
    const fs::path folder =
        MakeFolderSkin("Broken", "[EDIT]\r\nPARENTCLASS=COMBOBOX\r\nBORDERSMASK=!GONE.BMP!3!1!0\r\n"
                                 "[COMBOBOX]\r\nPARENTCLASS=EDIT\r\n");
    const TToolRun check = RunTool({"check", folder.string()});
    EXPECT_NE(check.Out.find("GONE.BMP"), std::string::npos) << check.Out;
    EXPECT_NE(check.Out.find("[EDIT]"), std::string::npos) << check.Out;
    EXPECT_NE(check.Out.find("PARENTCLASS"), std::string::npos) << check.Out;
}

TEST_F(SkinToolTest, CheckFailsWhenANumberEndsTheLoad) {
    const fs::path folder = MakeFolderSkin("BadNumber", "[EDIT]\r\nBORDERSMASK=@00x9@0036@0144@0049@3@0\r\n");
    const TToolRun check = RunTool({"check", folder.string()});
    EXPECT_EQ(check.Status, 1) << check.Out;
    EXPECT_NE(check.Out.find("BORDERSMASK"), std::string::npos) << check.Out;
}

} // namespace

TEST_F(SkinToolTest, UnpackNeverWritesThroughALinkInTheTarget) {
    const std::vector<TacPackageEntry> entries = {{"Options.dat", false, Bytes("[GLOBALINFO]\r\n")},
                                                  {"A.BMP", true, Bytes("BM new")}};
    const std::vector<std::uint8_t> package = BuildPackage(entries);
    const fs::path path = m_root / "linked.mvz";
    WriteFileAtomically(path.string(), std::span<const std::uint8_t>(package));
    const fs::path elsewhere = m_root / "elsewhere.bmp";
    WriteText(elsewhere, "precious");
    const fs::path target = m_root / "linked";
    fs::create_directory(target);
    fs::create_symlink(elsewhere, target / "A.BMP");

    const TToolRun unpack = RunTool({"unpack", path.string(), target.string()});
    EXPECT_EQ(unpack.Status, 1);
    EXPECT_NE(unpack.Err.find("a link stands there"), std::string::npos) << unpack.Err;
    EXPECT_EQ(ReadFileBytes(elsewhere.string()), Bytes("precious"));
    EXPECT_FALSE(fs::exists(target / "Options.dat"));
}

TEST_F(SkinToolTest, CheckSurvivesAnExtremeRectangle) {
    const fs::path folder = m_root / "Extreme";
    fs::create_directory(folder);
    WriteText(folder / "Options.dat",
              "[BUTTON]\r\nB=#(-2147483648,-2147483648,2147483647,2147483647)(1,0)\r\n");
    // The region is reported, held to the coordinates a skin may use.
    const TToolRun check = RunTool({"check", folder.string()});
    EXPECT_NE(check.Out.find("region (-1048576, -1048576, 1048576, 1048576) lies outside"), std::string::npos)
        << check.Out << check.Err;
}
