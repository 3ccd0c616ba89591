#include "platform/os/ProgramCommandLine.h"

#include <windows.h>

namespace {

// The program's own file in the system's ANSI code page, the form of the program's 8-bit
// texts; empty when the system does not tell it.
std::string ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
    const int size =
        WideCharToMultiByte(CP_ACP, 0, path.data(), int(path.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string narrow(std::size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, path.data(), int(path.size()), narrow.data(), size, nullptr, nullptr);
    return narrow;
}

} // namespace

std::vector<std::string> ProgramCommandLine(int argc, const char* const* argv) {
    std::vector<std::string> commandLine(argv, argv + argc);
    std::string self = ModuleFileName();
    if (self.empty()) return commandLine;
    if (commandLine.empty())
        commandLine.push_back(std::move(self));
    else
        commandLine.front() = std::move(self);
    return commandLine;
}
