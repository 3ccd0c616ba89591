#include "platform/os/TNamedMutex.h"

#include "platform/core/win32/WideText.h"

#include <windows.h>

std::string TNamedMutex::LockFileFor(std::string_view name) {
    return EncodedName(name);
}

TNamedMutex::TNamedMutex(std::string_view name) : Path_(LockFileFor(name)) {
    const HANDLE handle = ::CreateMutexW(nullptr, FALSE, Utf8ToWide(Path_).c_str());
    const DWORD error = ::GetLastError();
    if (handle == nullptr) {
        Error_ = int(error);
        Creation_ = TMutexCreation::Failed;
        return;
    }
    // The handle is held in either case: only ERROR_ALREADY_EXISTS tells a second process.
    Held_ = std::shared_ptr<void>(handle, [](void* held) { ::CloseHandle(held); });
    Creation_ = error == ERROR_ALREADY_EXISTS ? TMutexCreation::AlreadyExists : TMutexCreation::Created;
}
