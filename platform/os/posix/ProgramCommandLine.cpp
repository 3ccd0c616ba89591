#include "platform/os/ProgramCommandLine.h"

std::vector<std::string> ProgramCommandLine(int argc, const char* const* argv) {
    return std::vector<std::string>(argv, argv + argc);
}
