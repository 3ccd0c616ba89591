#include "app/StartupMode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

char LetterOf(std::vector<std::string> arguments) {
    return ModeLetter(arguments);
}

TStartupPlan Plan(const std::string& program, std::vector<std::string> arguments) {
    return PlanStartup(ProgramFileExtension(program), ModeLetter(arguments));
}

constexpr TStartupPlan MainScreen{true, false};
constexpr TStartupPlan Options{false, true};
constexpr TStartupPlan Nothing{false, false};

} // namespace

TEST(ModeLetter, IsTheUpperCaseSecondCharacterOfTheFirstArgument) {
    EXPECT_EQ(LetterOf({"/s"}), 'S');
    EXPECT_EQ(LetterOf({"/S"}), 'S');
    EXPECT_EQ(LetterOf({"-s"}), 'S');
    EXPECT_EQ(LetterOf({"zs"}), 'S');
    EXPECT_EQ(LetterOf({"-C"}), 'C');
}

TEST(ModeLetter, LooksAtNothingAfterTheSecondCharacter) {
    EXPECT_EQ(LetterOf({"/c:1234"}), 'C');
}

TEST(ModeLetter, NeverReadsTheSecondArgument) {
    EXPECT_EQ(LetterOf({"/p", "1234"}), 'P');
    EXPECT_EQ(LetterOf({"/", "/s"}), NoModeLetter);
}

TEST(ModeLetter, IsNoneForAShortOrMissingArgument) {
    EXPECT_EQ(LetterOf({"s"}), NoModeLetter);
    EXPECT_EQ(LetterOf({""}), NoModeLetter);
    EXPECT_EQ(LetterOf({}), NoModeLetter);
}

TEST(ModeLetter, RaisesOnlyAsciiLetters) {
    EXPECT_EQ(LetterOf({"/\xE9"}), '\xE9');
}

TEST(ProgramFileExtension, TakesTheLastDotOfTheFileNameOnly) {
    EXPECT_EQ(ProgramFileExtension("/usr/lib/x.scr"), ".scr");
    EXPECT_EQ(ProgramFileExtension("x.tar.EXE"), ".EXE");
    EXPECT_EQ(ProgramFileExtension("/opt/v1.2/quibbleton"), "");
    EXPECT_EQ(ProgramFileExtension(""), "");
}

TEST(PlanStartup, ScreenSaverFileShowsTheMainScreenForS) {
    for (const char* argument : {"/s", "/S", "-s", "zs"})
        EXPECT_EQ(Plan("x.scr", {argument}), MainScreen) << argument;
}

TEST(PlanStartup, ScreenSaverFileShowsTheOptionsForC) {
    for (const char* argument : {"/c", "/c:1234", "-C"})
        EXPECT_EQ(Plan("x.scr", {argument}), Options) << argument;
}

TEST(PlanStartup, ScreenSaverFileShowsNothingOtherwise) {
    EXPECT_EQ(Plan("x.scr", {"/p", "1234"}), Nothing);
    EXPECT_EQ(Plan("x.scr", {"/a", "1234"}), Nothing);
    EXPECT_EQ(Plan("x.scr", {"s"}), Nothing);
    EXPECT_EQ(Plan("x.scr", {}), Nothing);
}

TEST(PlanStartup, ExeFileShowsTheMainScreenInAnyLetterCase) {
    for (const char* program : {"x.exe", "X.EXE", "x.Exe"}) {
        EXPECT_EQ(Plan(program, {}), MainScreen) << program;
        EXPECT_EQ(Plan(program, {"/s"}), MainScreen) << program;
        EXPECT_EQ(Plan(program, {"/p", "1234"}), MainScreen) << program;
    }
}

TEST(PlanStartup, ExeFileWithCRunsBothWindowsInTurn) {
    EXPECT_EQ(Plan("x.exe", {"/c"}), (TStartupPlan{true, true}));
}

TEST(PlanStartup, FileWithoutExtensionAndNoArgumentShowsNothing) {
    EXPECT_EQ(Plan("/usr/bin/quibbleton", {}), Nothing);
    EXPECT_EQ(Plan("/usr/bin/quibbleton", {"/s"}), MainScreen);
}

TEST(PlanStartup, ExtensionMustBeExactlyExe) {
    EXPECT_EQ(Plan("x.exe2", {}), Nothing);
    EXPECT_EQ(Plan("x.ex", {}), Nothing);
}
