#include "platform/os/TNamedMutex.h"

#include "platform/os/FileSystem.h"
#include "platform/os/TFileLock.h"

#include <cstdlib>
#include <unistd.h>

std::string TNamedMutex::LockFileFor(std::string_view name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && DirectoryExists(runtime))
        return IncludeTrailingPathDelimiter(runtime) + "quibbleton-mutex-" + EncodedName(name) + ".lock";
    // The temporary folder is shared by every user; the user id keeps the names apart.
    const char* temporary = std::getenv("TMPDIR");
    std::string folder = temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp";
    return IncludeTrailingPathDelimiter(folder) + "quibbleton-mutex-" + std::to_string(::getuid()) + "-" +
           EncodedName(name) + ".lock";
}

TNamedMutex::TNamedMutex(std::string_view name) : Path_(LockFileFor(name)) {
    auto lock = std::make_shared<TFileLock>();
    const TLockResult result = lock->Lock(Path_);
    Error_ = lock->Error();
    Held_ = std::move(lock);
    switch (result) {
    case TLockResult::Acquired:
        Creation_ = TMutexCreation::Created;
        break;
    case TLockResult::Busy:
        Creation_ = TMutexCreation::AlreadyExists;
        break;
    case TLockResult::Failed:
        Creation_ = TMutexCreation::Failed;
        break;
    }
}
