#include "platform/os/TFileLock.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

TFileLock::TFileLock(TFileLock&& other) noexcept : Fd_(std::exchange(other.Fd_, -1)), Error_(other.Error_) {}

TFileLock& TFileLock::operator=(TFileLock&& other) noexcept {
    if (this != &other) {
        Unlock();
        Fd_ = std::exchange(other.Fd_, -1);
        Error_ = other.Error_;
    }
    return *this;
}

TLockResult TFileLock::Lock(const std::string& path, unsigned waitMs, const TWaitClock& clock) {
    Unlock();
    Error_ = 0;
    // O_NOFOLLOW keeps a link planted in a shared folder from redirecting the file.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        Error_ = errno;
        return TLockResult::Failed;
    }
    // A blocking flock could wait for ever on a holder that never lets go, so the lock is
    // asked for without blocking until the time is up; the count of naps bounds the wait
    // even on a clock that does not move.
    const std::uint64_t start = clock.NowMs();
    for (unsigned naps = 0;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            Fd_ = fd;
            Error_ = 0;
            return TLockResult::Acquired;
        }
        Error_ = errno;
        if (Error_ == EINTR) continue;
        const std::uint64_t waited = clock.NowMs() - start;
        if (Error_ != EWOULDBLOCK || waited >= waitMs || naps > waitMs / RetryMs) break;
        clock.Sleep(static_cast<unsigned>(std::min<std::uint64_t>(RetryMs, waitMs - waited)));
        ++naps;
    }
    ::close(fd);
    return Error_ == EWOULDBLOCK ? TLockResult::Busy : TLockResult::Failed;
}

void TFileLock::Unlock() {
    if (Fd_ >= 0) ::close(std::exchange(Fd_, -1));
}
