#include "platform/os/ProgramPaths.h"

#include "platform/os/win32/WidePath.h"

#include <windows.h>

std::string ProgramFileName() {
    // The buffer grows until the whole name fits: a long path has up to 32,767 characters.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) {
            buffer.resize(length);
            return ProgramPath(buffer);
        }
        if (buffer.size() >= 32768) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}
