#pragma once

#include <memory>
#include <string>
#include <string_view>

enum class TMutexCreation { Created, AlreadyExists, Failed };

// A named lock, system-wide for the user, that tells a second process at once that a first
// one holds the name. Creating it never waits. The lock lasts as long as the object: a program
// that keeps the object for its whole life has the system drop the lock when it ends, however
// it ends. On Windows it is a named mutex of the session, created without initial ownership and
// found existing when the system says ERROR_ALREADY_EXISTS; elsewhere a locked file in
// $XDG_RUNTIME_DIR, or in the temporary folder when that is not set, named after the lock.
class TNamedMutex {
public:
    explicit TNamedMutex(std::string_view name);
    TNamedMutex(const TNamedMutex&) = delete;
    TNamedMutex& operator=(const TNamedMutex&) = delete;

    TMutexCreation Creation() const { return Creation_; }
    bool AlreadyExists() const { return Creation_ == TMutexCreation::AlreadyExists; }
    // The system's error number when creation failed for another reason (errno, or on Windows
    // GetLastError()).
    int Error() const { return Error_; }
    // The lock file, or on Windows the name of the mutex.
    const std::string& LockFileName() const { return Path_; }

    // The file (on Windows the mutex name) that stands for the name: unsafe bytes are written
    // as %XX, and very long names are shortened with a hash, so different names stay apart.
    static std::string LockFileFor(std::string_view name);

private:
    // The name with unsafe bytes as %XX, shortened with a hash when very long.
    static std::string EncodedName(std::string_view name);

    // The lock file's lock or the mutex handle, released when the object goes.
    std::shared_ptr<void> Held_;
    std::string Path_;
    TMutexCreation Creation_ = TMutexCreation::Failed;
    int Error_ = 0;
};
