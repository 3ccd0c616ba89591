#include "platform/os/ProgramPaths.h"

#include "platform/os/FileSystem.h"

#include <cstdlib>

std::string ProgramFolder() {
    if (const char* home = std::getenv("QUIBBLETON_HOME"); home != nullptr && *home != '\0')
        return IncludeTrailingPathDelimiter(home);
    const std::string folder = ExtractFilePath(ProgramFileName());
    return folder.empty() ? std::string("./") : folder;
}
