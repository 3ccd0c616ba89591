#include "platform/os/ProgramPaths.h"

#include <climits>
#include <unistd.h>

std::string ProgramFileName() {
    char buffer[PATH_MAX + 1];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (length <= 0) return std::string();
    return std::string(buffer, static_cast<std::size_t>(length));
}
