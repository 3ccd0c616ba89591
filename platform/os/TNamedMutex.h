#pragma once

#include "platform/os/TFileLock.h"

#include <string>
#include <string_view>

enum class TMutexCreation { Created, AlreadyExists, Failed };

// A named lock, system-wide for the user, that tells a second process at once that a first
// one holds the name. Creating it never waits. The lock lasts as long as the object: a program
// that keeps the object for its whole life has the system drop the lock when it ends, however
// it ends. The lock is a file in $XDG_RUNTIME_DIR, or in the temporary folder when that is not
// set, named after the lock.
class TNamedMutex {
public:
    explicit TNamedMutex(std::string_view name);

    TMutexCreation Creation() const { return Creation_; }
    bool AlreadyExists() const { return Creation_ == TMutexCreation::AlreadyExists; }
    // The system's error number when creation failed for another reason.
    int Error() const { return Lock_.Error(); }
    const std::string& LockFileName() const { return Path_; }

    // The file that stands for the name: unsafe bytes are written as %XX, and very long names
    // are shortened with a hash, so different names get different files.
    static std::string LockFileFor(std::string_view name);

private:
    TFileLock Lock_;
    std::string Path_;
    TMutexCreation Creation_ = TMutexCreation::Failed;
};
