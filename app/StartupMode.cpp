#include "app/StartupMode.h"

#include "platform/core/CodePage.h"
#include "platform/os/FileSystem.h"

char ModeLetter(std::span<const std::string> arguments) {
    if (arguments.empty() || arguments.front().size() < 2) return NoModeLetter;
    return UpCase(arguments.front()[1]);
}

std::string ProgramFileExtension(std::string_view programPath) {
    return ExtractFileExt(std::string(programPath));
}

TStartupPlan PlanStartup(std::string_view programExtension, char modeLetter) {
    TStartupPlan plan;
    plan.RunMainScreen = modeLetter == 'S' || SameText(programExtension, ".EXE");
    plan.RunOptions = modeLetter == 'C';
    return plan;
}
