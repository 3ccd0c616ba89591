#include <gtest/gtest.h>

#include "platform/os/ProgramCommandLine.h"

TEST(ProgramCommandLine, KeepsEveryItemAsGiven) {
    const char* const argv[] = {"quibbleton", "/s", "extra"};
    EXPECT_EQ(ProgramCommandLine(3, argv), (std::vector<std::string>{"quibbleton", "/s", "extra"}));
}

TEST(ProgramCommandLine, NoItemsGiveAnEmptyLine) {
    EXPECT_TRUE(ProgramCommandLine(0, nullptr).empty());
}
