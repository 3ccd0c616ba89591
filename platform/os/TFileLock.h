#pragma once

#include "platform/os/TWaitClock.h"

#include <string>

enum class TLockResult { Acquired, Busy, Failed };

// An exclusive advisory lock (flock) on a file, created when missing. The lock belongs to the
// open file, so the system drops it when the object closes it or the process ends, a crash
// included; the file is opened close-on-exec so that started programs do not inherit it. Not
// on Windows, where neither the named mutex nor the registry needs a lock file.
class TFileLock {
public:
    // How often a waiting lock asks again.
    static constexpr unsigned RetryMs = 10;

    TFileLock() = default;
    ~TFileLock() { Unlock(); }
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;
    TFileLock(TFileLock&& other) noexcept;
    TFileLock& operator=(TFileLock&& other) noexcept;

    // Takes the lock, waiting at most waitMs on the clock while another open file holds it;
    // Busy when it is still held then. On Failed, Error() holds the system's error number.
    TLockResult Lock(const std::string& path, unsigned waitMs = 0,
                     const TWaitClock& clock = TWaitClock::System());
    void Unlock();
    bool IsLocked() const { return Fd_ >= 0; }
    int Error() const { return Error_; }

private:
    int Fd_ = -1;
    int Error_ = 0;
};
