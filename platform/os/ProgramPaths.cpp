#include "platform/os/ProgramPaths.h"

#include "platform/os/FileSystem.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

std::string ProgramFileName() {
    char buffer[PATH_MAX + 1];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (length <= 0) return std::string();
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string ProgramFolder() {
    if (const char* home = std::getenv("QUIBBLETON_HOME"); home != nullptr && *home != '\0')
        return IncludeTrailingPathDelimiter(home);
    const std::string folder = ExtractFilePath(ProgramFileName());
    return folder.empty() ? std::string("./") : folder;
}
