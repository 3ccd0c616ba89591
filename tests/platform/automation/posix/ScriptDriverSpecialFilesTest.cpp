// The driver's outputs refusing a FIFO and a link to a device.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/automation/TDriverFixture.h"

namespace {

// Opening a FIFO for writing waits for a reader; a hang ends the test binary here.
class NoHang {
public:
    NoHang() { ::alarm(20); }
    ~NoHang() { ::alarm(0); }
};

} // namespace

TEST_F(TDriverFixture, ShotOnAFifoStopsWithStatusTwoAndLeavesTheFifo) {
    NoHang guard;
    TOutputFolder folder;
    const auto path = folder.Path / "screen.png";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    Load("shot " + path.string() + "\n");
    RunToEnd();
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.str().find("It is not a regular file"), std::string::npos) << err.str();
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}

TEST_F(TDriverFixture, ShotThroughALinkToTheNullDeviceLeavesTheDevice) {
    TOutputFolder folder;
    const auto path = folder.Path / "screen.png";
    std::filesystem::create_symlink("/dev/null", path);
    Load("shot " + path.string() + "\n");
    RunToEnd();
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.str().find("It is not a regular file"), std::string::npos) << err.str();
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
}

TEST_F(TDriverFixture, DumpOnAFifoStopsWithStatusTwoWithoutWaiting) {
    NoHang guard;
    TOutputFolder folder;
    const auto path = folder.Path / "tree.json";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    Load("dump " + path.string() + "\n");
    RunToEnd();
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.str().find("It is not a regular file"), std::string::npos) << err.str();
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}
