#pragma once

#include <span>
#include <string>
#include <string_view>

// How the program decides which window to show: from the mode letter of its first argument
// and from the extension of its own file name, as a screen saver is started.

// What start-up runs. The two windows are decided independently: a ".EXE" program file
// started with a C argument runs the main screen and then the options dialog.
struct TStartupPlan {
    bool RunMainScreen = false;
    bool RunOptions = false;
    friend bool operator==(const TStartupPlan&, const TStartupPlan&) = default;
};

// No mode letter.
inline constexpr char NoModeLetter = '\0';

// The upper-case second character of the first argument (ASCII letters only are raised);
// NoModeLetter when there is no argument or the first is shorter than two characters.
// Later arguments are never looked at.
char ModeLetter(std::span<const std::string> arguments);

// The extension of the program's own path (item 0 of the command line), from the last "." of
// the file name inclusive; empty when the file name has no dot.
std::string ProgramFileExtension(std::string_view programPath);

// The main-screen test (mode letter S, or the extension ".EXE" in any letter case) and the
// configure test (mode letter C).
TStartupPlan PlanStartup(std::string_view programExtension, char modeLetter);
