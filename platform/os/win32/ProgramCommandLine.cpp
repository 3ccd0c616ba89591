#include "platform/os/ProgramCommandLine.h"

#include "platform/os/ProgramPaths.h"

std::vector<std::string> ProgramCommandLine(int argc, const char* const* argv) {
    std::vector<std::string> commandLine(argv, argv + argc);
    std::string self = ProgramFileName();
    if (self.empty()) return commandLine;
    if (commandLine.empty())
        commandLine.push_back(std::move(self));
    else
        commandLine.front() = std::move(self);
    return commandLine;
}
