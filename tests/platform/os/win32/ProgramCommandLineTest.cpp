#include <gtest/gtest.h>

#include "platform/core/CodePage.h"
#include "platform/os/FileSystem.h"
#include "platform/os/ProgramCommandLine.h"
#include "platform/os/ProgramPaths.h"

// The tests run from a program file ending in ".exe", whatever the first item says.
TEST(ProgramCommandLine, ItemZeroIsTheProgramsOwnFile) {
    const char* const argv[] = {"platform_tests", "/c:1234"};
    const std::vector<std::string> line = ProgramCommandLine(2, argv);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_TRUE(SameText(ExtractFileExt(line[0]), ".exe")) << line[0];
    EXPECT_EQ(line[0], ProgramFileName());
    EXPECT_EQ(line[1], "/c:1234");
}

TEST(ProgramCommandLine, AnEmptyLineStillNamesTheProgram) {
    const std::vector<std::string> line = ProgramCommandLine(0, nullptr);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_TRUE(SameText(ExtractFileExt(line[0]), ".exe")) << line[0];
}
