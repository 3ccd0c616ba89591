#include "platform/os/FileSystem.h"

#include "platform/core/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

[[noreturn]] void ThrowOpenError(const std::string& path, int error) {
    throw EFOpenError("Cannot open file \"" + path + "\". " + Reason(error));
}

[[noreturn]] void ThrowCreateError(const std::string& path, int error) {
    throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(error));
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Writing through a symbolic link keeps the link and replaces its target.
std::string ResolveTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    const std::string resolved = RealPath(path);
    return resolved.empty() ? path : resolved;
}

enum class TTargetState { Missing, Replaceable };

// Whether the file at the path, links not followed, may be replaced by a renamed file. Only a
// regular file may: a rename over a FIFO, a device or a link would take its place. A file
// whose mode lets no one write it is refused for root as well, whom access checks let through.
TTargetState CheckTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return TTargetState::Missing;
        ThrowCreateError(path, errno);
    }
    if (S_ISDIR(info.st_mode)) ThrowCreateError(path, EISDIR);
    if (!S_ISREG(info.st_mode))
        throw EFCreateError("Cannot create file \"" + path + "\". It is not a regular file");
    if ((info.st_mode & 0222) == 0) ThrowCreateError(path, EACCES);
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) ThrowCreateError(path, errno);
    return TTargetState::Replaceable;
}

// Renames the finished temporary file over the target, checked once more just before, so
// that nothing which took the target's place while the bytes were written is replaced.
int RenameOver(const std::string& temporary, const std::string& path) {
    if (CheckTarget(path) == TTargetState::Missing) {
        if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) return 0;
        if (errno != EEXIST && errno != EINVAL) return errno;
        // EINVAL: the file system cannot rename without replacing.
        if (errno == EEXIST) CheckTarget(path);
    }
    return ::rename(temporary.c_str(), path.c_str()) == 0 ? 0 : errno;
}

} // namespace

bool IsPathDelimiter(char c) {
    return c == '/';
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<TDirEntry> ListDirectory(const std::string& folder) {
    std::vector<TDirEntry> entries;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return entries;
    const std::string prefix = IncludeTrailingPathDelimiter(folder.empty() ? "." : folder);
    while (const dirent* entry = ::readdir(dir)) {
        TDirEntry item;
        item.Name = entry->d_name;
        if (entry->d_type == DT_DIR) {
            item.IsDirectory = true;
        } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            item.IsDirectory = DirectoryExists(prefix + item.Name);
        }
        entries.push_back(std::move(item));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const TDirEntry& a, const TDirEntry& b) { return a.Name < b.Name; });
    return entries;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::int64_t maxSize) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) ThrowOpenError(path, errno);
    auto refuse = [&](const std::string& reason) {
        ::close(fd);
        throw EFOpenError("Cannot open file \"" + path + "\". " + reason);
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        ThrowOpenError(path, error);
    }
    if (S_ISDIR(info.st_mode)) refuse(Reason(EISDIR));
    if (!S_ISREG(info.st_mode)) refuse("It is not a regular file");
    const std::string tooLarge = "It is larger than " + std::to_string(maxSize) + " bytes";
    if (info.st_size > maxSize) refuse(tooLarge);
    std::vector<std::uint8_t> bytes;
    // The size is only a hint: the file may grow or shrink while it is read.
    if (info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            ThrowOpenError(path, error);
        }
        if (got == 0) break;
        if (std::int64_t(bytes.size()) + got > maxSize) refuse(tooLarge);
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    ::close(fd);
    return bytes;
}

std::string ReplaceableFile(const std::string& path) {
    const std::string target = ResolveTarget(path);
    CheckTarget(target);
    return target;
}

void WriteFileAtomically(const std::string& requestedPath, std::span<const std::uint8_t> bytes) {
    const std::string path = ReplaceableFile(requestedPath);
    const std::string folder = ExtractFilePath(path);
    std::string temporary = folder + "." + ExtractFileName(path) + ".tmpXXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) ThrowCreateError(path, errno);

    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        ThrowCreateError(path, error);
    };
    // A new file gets the usual mode for settings; an existing one keeps its own.
    mode_t mode = 0644;
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) mode = old.st_mode & 07777;
    if (::fchmod(fd, mode) != 0) fail(errno);
    if (!WriteAll(fd, bytes.data(), bytes.size())) fail(errno);
    if (::fsync(fd) != 0) fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        ThrowCreateError(path, error);
    }
    int error = 0;
    try {
        error = RenameOver(temporary, path);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        ThrowCreateError(path, error);
    }
    // The new contents are in place; flushing the folder makes the rename itself durable.
    // A failure here cannot be undone and the data is already visible, so it is not reported.
    const int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

bool MakeDirectory(const std::string& folder) {
    return (::mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST) && DirectoryExists(folder);
}

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return !path.empty() && ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved)
                                                                          : std::string();
}

bool IsSymbolicLink(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

TFileStatus FileStatus(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return {};
    return {true, std::uint64_t(info.st_dev), std::uint64_t(info.st_ino), std::int64_t(info.st_size),
            std::int64_t(info.st_mtim.tv_sec) * 1000000000 + std::int64_t(info.st_mtim.tv_nsec)};
}
