// Every output of the skin tool replaces only a regular file: a FIFO, a device or a link to
// one at the output path is refused with "not a regular file" and stays as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

#include "platform/os/FileSystem.h"
#include "skin/TacSkinConvertor.h"
#include "skin/storedskins/StoredSkinPackages.h"
#include "tools/quibbleton-skin/SkinPreview.h"
#include "tools/quibbleton-skin/SkinRender.h"
#include "tools/quibbleton-skin/SkinTool.h"

namespace fs = std::filesystem;

namespace {

struct TRun {
    int Status = 0;
    std::string Err;
};

using TCommand = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&,
                         std::span<const TStoredSkinPackage>);

TRun RunCommand(TCommand command, const std::vector<std::string>& args) {
    std::ostringstream out, err;
    TRun run;
    run.Status = command(args, out, err, StoredSkinPackages());
    run.Err = err.str();
    return run;
}

std::string StoredSkin() {
    return "stored:" + std::string(StoredSkinPackages().front().Name);
}

// A write that opened the FIFO would wait here for a reader for ever.
class NoHang {
public:
    NoHang() { ::alarm(60); }
    ~NoHang() { ::alarm(0); }
};

class SkinToolOutput : public ::testing::Test {
protected:
    void SetUp() override {
        m_root =
            fs::temp_directory_path() / ("quibbleton-skin-output-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root);
    }
    void TearDown() override { fs::remove_all(m_root); }

    std::string Fifo(const std::string& name) const {
        const std::string path = (m_root / name).string();
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }
    std::string LinkToNull(const std::string& name) const {
        const fs::path link = m_root / name;
        fs::create_symlink("/dev/null", link);
        return link.string();
    }
    // Only the given names stand in the folder: no temporary file was left behind.
    bool OnlyEntries(std::vector<std::string> names) const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(m_root))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        std::sort(names.begin(), names.end());
        return found == names;
    }
    std::string PackageWith(const std::vector<TacPackageEntry>& entries) const {
        const std::string path = (m_root / "skin.mvz").string();
        const std::vector<std::uint8_t> package = BuildPackage(entries);
        WriteFileAtomically(path, std::span<const std::uint8_t>(package));
        return path;
    }

    fs::path m_root;
};

bool Refused(const TRun& run) {
    return run.Status == 1 && run.Err.find("It is not a regular file") != std::string::npos;
}

std::vector<std::uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

} // namespace

TEST_F(SkinToolOutput, RenderRefusesAFifo) {
    NoHang guard;
    const std::string out = Fifo("face.png");
    const TRun run = RunCommand(RenderSkinFace, {"render", StoredSkin(), "BUTTON", "10x10", "-o", out});
    EXPECT_TRUE(Refused(run)) << run.Err;
    EXPECT_TRUE(fs::is_fifo(out));
    EXPECT_TRUE(OnlyEntries({"face.png"}));
}

TEST_F(SkinToolOutput, RenderButtonRefusesALinkToTheNullDevice) {
    const std::string out = LinkToNull("face.png");
    const TRun run =
        RunCommand(RenderSkinFace, {"render", StoredSkin(), "BUTTON", "10x10", "--button", "-o", out});
    EXPECT_TRUE(Refused(run)) << run.Err;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(fs::is_symlink(out));
}

TEST_F(SkinToolOutput, PreviewRefusesAFifoAndALinkToTheNullDevice) {
    NoHang guard;
    for (const std::string& out : {Fifo("sheet.png"), LinkToNull("null.png")}) {
        const TRun run = RunCommand(PreviewSkinSheet, {"preview", StoredSkin(), "-o", out});
        EXPECT_TRUE(Refused(run)) << out << ": " << run.Err;
    }
    EXPECT_TRUE(fs::is_fifo(m_root / "sheet.png"));
    EXPECT_TRUE(fs::is_symlink(m_root / "null.png"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(SkinToolOutput, PackRefusesAFifo) {
    NoHang guard;
    const fs::path folder = m_root / "Skin";
    fs::create_directory(folder);
    std::ofstream(folder / "Options.dat", std::ios::binary) << "[GLOBALINFO]\r\n";
    const std::string out = Fifo("Skin.mvz");
    const TRun run = RunCommand(RunSkinTool, {"pack", folder.string(), out});
    EXPECT_TRUE(Refused(run)) << run.Err;
    EXPECT_TRUE(fs::is_fifo(out));
    EXPECT_TRUE(OnlyEntries({"Skin", "Skin.mvz"}));
}

TEST_F(SkinToolOutput, UnpackRefusesAFifoInTheTargetAndWritesNothing) {
    NoHang guard;
    const std::string package =
        PackageWith({{"Options.dat", false, Bytes("[GLOBALINFO]\r\n")}, {"A.BMP", true, Bytes("BM new")}});
    const fs::path target = m_root / "out";
    fs::create_directory(target);
    ASSERT_EQ(::mkfifo((target / "A.BMP").c_str(), 0600), 0);
    const TRun run = RunCommand(RunSkinTool, {"unpack", package, target.string()});
    EXPECT_TRUE(Refused(run)) << run.Err;
    EXPECT_TRUE(fs::is_fifo(target / "A.BMP"));
    EXPECT_FALSE(fs::exists(target / "Options.dat"));
}

TEST_F(SkinToolOutput, UnpackRefusesADeviceNodeInTheTarget) {
    const std::string package = PackageWith({{"Options.dat", false, Bytes("[GLOBALINFO]\r\n")}});
    const fs::path target = m_root / "out";
    fs::create_directory(target);
    if (::mknod((target / "Options.dat").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
        GTEST_SKIP() << "no right to make device nodes here";
    const TRun run = RunCommand(RunSkinTool, {"unpack", package, target.string()});
    EXPECT_TRUE(Refused(run)) << run.Err;
    EXPECT_TRUE(fs::is_character_file(target / "Options.dat"));
}

TEST_F(SkinToolOutput, RenderStillReplacesARegularFile) {
    const std::string out = (m_root / "face.png").string();
    std::ofstream(out, std::ios::binary) << "old";
    const TRun run = RunCommand(RenderSkinFace, {"render", StoredSkin(), "BUTTON", "10x10", "-o", out});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadFileBytes(out)[1], 'P');
}
