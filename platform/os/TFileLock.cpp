#include "platform/os/TFileLock.h"

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

TLockResult TFileLock::Lock(const std::string& path, TLockWait wait) {
    Unlock();
    Error_ = 0;
    // O_NOFOLLOW keeps a link planted in a shared folder from redirecting the file.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        Error_ = errno;
        return TLockResult::Failed;
    }
    const int operation = LOCK_EX | (wait == TLockWait::DontWait ? LOCK_NB : 0);
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        Error_ = errno;
        ::close(fd);
        return Error_ == EWOULDBLOCK ? TLockResult::Busy : TLockResult::Failed;
    }
    Fd_ = fd;
    return TLockResult::Acquired;
}

void TFileLock::Unlock() {
    if (Fd_ >= 0) ::close(std::exchange(Fd_, -1));
}
