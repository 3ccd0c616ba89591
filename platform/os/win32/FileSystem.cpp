#include "platform/os/FileSystem.h"

#include "platform/core/Exceptions.h"
#include "platform/core/win32/WideText.h"
#include "platform/os/win32/WidePath.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

std::string IsDirectoryReason() {
    return std::strerror(EISDIR);
}

const char kNotRegular[] = "It is not a regular file";

[[noreturn]] void ThrowOpenError(const std::string& path, const std::string& reason) {
    throw EFOpenError("Cannot open file \"" + path + "\". " + reason);
}

[[noreturn]] void ThrowCreateError(const std::string& path, const std::string& reason) {
    throw EFCreateError("Cannot create file \"" + path + "\". " + reason);
}

// Closes the handle when the scope ends.
class THandle {
public:
    explicit THandle(HANDLE handle) : Handle_(handle) {}
    ~THandle() { Close(); }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    HANDLE Get() const { return Handle_; }
    bool IsValid() const { return Handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (!IsValid()) return true;
        return ::CloseHandle(std::exchange(Handle_, INVALID_HANDLE_VALUE)) != 0;
    }

private:
    HANDLE Handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle that only asks about the file or folder, links followed.
HANDLE OpenForQuery(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The attributes of what the path leads to, links followed; INVALID_FILE_ATTRIBUTES when it
// leads nowhere.
DWORD FollowedAttributes(const std::string& path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    const std::wstring wide = WidePath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return attributes;
    THandle handle(OpenForQuery(wide));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle.IsValid() || !::GetFileInformationByHandle(handle.Get(), &info))
        return INVALID_FILE_ATTRIBUTES;
    return info.dwFileAttributes;
}

bool IsMissingError(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

enum class TTargetState { Missing, Replaceable };

// Whether the file at the path, links not followed, may be replaced by a renamed file: only a
// regular file on a disk that is not read-only and that the process may open for writing.
TTargetState CheckTarget(const std::string& path) {
    const std::wstring wide = WidePath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (IsMissingError(error)) return TTargetState::Missing;
        ThrowCreateError(path, SystemErrorText(error));
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) ThrowCreateError(path, IsDirectoryReason());
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ThrowCreateError(path, kNotRegular);
    if (attributes & FILE_ATTRIBUTE_READONLY) ThrowCreateError(path, SystemErrorText(ERROR_ACCESS_DENIED));
    // Opening for writing changes nothing and tells whether the process may write the file;
    // a device or a pipe answers to a name as well and is refused by its type.
    THandle handle(::CreateFileW(wide.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.IsValid()) ThrowCreateError(path, SystemErrorText(::GetLastError()));
    if (::GetFileType(handle.Get()) != FILE_TYPE_DISK) ThrowCreateError(path, kNotRegular);
    return TTargetState::Replaceable;
}

// Writing through a symbolic link keeps the link and replaces its target.
std::string ResolveTarget(const std::string& path) {
    if (!IsSymbolicLink(path)) return path;
    const std::string resolved = RealPath(path);
    return resolved.empty() ? path : resolved;
}

// A new file beside the target that no one else has opened, named after it.
std::string CreateTemporaryFile(const std::string& path, HANDLE& handle) {
    const std::string stem = ExtractFilePath(path) + "." + ExtractFileName(path) + ".tmp";
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned long long tag = (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^
                                       ::GetTickCount64() ^
                                       (static_cast<unsigned long long>(++counter) << 20);
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, "%012llx", tag & 0xFFFFFFFFFFFFull);
        const std::string temporary = stem + suffix;
        handle = ::CreateFileW(WidePath(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) return temporary;
        if (::GetLastError() != ERROR_FILE_EXISTS) break;
    }
    ThrowCreateError(path, SystemErrorText(::GetLastError()));
}

bool WriteAll(HANDLE handle, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

} // namespace

bool IsPathDelimiter(char c) {
    return c == '/' || c == '\\';
}

bool FileExists(const std::string& path) {
    const DWORD attributes = FollowedAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = FollowedAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<TDirEntry> ListDirectory(const std::string& folder) {
    std::vector<TDirEntry> entries;
    const std::string prefix = IncludeTrailingPathDelimiter(folder.empty() ? "." : folder);
    WIN32_FIND_DATAW found{};
    const HANDLE find = ::FindFirstFileExW(WidePath(prefix + "*").c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return entries;
    bool dot = false;
    bool dotDot = false;
    do {
        TDirEntry item;
        item.Name = WideToUtf8(found.cFileName);
        item.IsDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            item.IsDirectory = DirectoryExists(prefix + item.Name);
        dot = dot || item.Name == ".";
        dotDot = dotDot || item.Name == "..";
        entries.push_back(std::move(item));
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    // The root of a drive lists neither; every folder has both elsewhere.
    if (!dot) entries.push_back({".", true});
    if (!dotDot) entries.push_back({"..", true});
    std::sort(entries.begin(), entries.end(),
              [](const TDirEntry& a, const TDirEntry& b) { return a.Name < b.Name; });
    return entries;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::int64_t maxSize) {
    const std::wstring wide = WidePath(path);
    if (path.empty()) ThrowOpenError(path, SystemErrorText(ERROR_FILE_NOT_FOUND));
    if (const DWORD attributes = FollowedAttributes(path);
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        ThrowOpenError(path, IsDirectoryReason());
    // Opening a pipe or a device by its name does not wait; its type refuses it afterwards.
    THandle handle(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!handle.IsValid()) ThrowOpenError(path, SystemErrorText(::GetLastError()));
    if (::GetFileType(handle.Get()) != FILE_TYPE_DISK) ThrowOpenError(path, kNotRegular);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle.Get(), &info))
        ThrowOpenError(path, SystemErrorText(::GetLastError()));
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ThrowOpenError(path, IsDirectoryReason());
    const std::int64_t size = (std::int64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    const std::string tooLarge = "It is larger than " + std::to_string(maxSize) + " bytes";
    if (size > maxSize) ThrowOpenError(path, tooLarge);
    std::vector<std::uint8_t> bytes;
    // The size is only a hint: the file may grow or shrink while it is read.
    if (size > 0) bytes.reserve(static_cast<std::size_t>(size));
    std::uint8_t buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(handle.Get(), buffer, sizeof buffer, &got, nullptr))
            ThrowOpenError(path, SystemErrorText(::GetLastError()));
        if (got == 0) break;
        if (std::int64_t(bytes.size()) + got > maxSize) ThrowOpenError(path, tooLarge);
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
}

std::string ReplaceableFile(const std::string& path) {
    const std::string target = ResolveTarget(path);
    CheckTarget(target);
    return target;
}

void WriteFileAtomically(const std::string& requestedPath, std::span<const std::uint8_t> bytes) {
    const std::string path = ReplaceableFile(requestedPath);
    HANDLE raw = INVALID_HANDLE_VALUE;
    const std::string temporary = CreateTemporaryFile(path, raw);
    THandle handle(raw);
    const std::wstring wideTemporary = WidePath(temporary);
    auto fail = [&](DWORD error) {
        handle.Close();
        ::DeleteFileW(wideTemporary.c_str());
        ThrowCreateError(path, SystemErrorText(error));
    };
    if (!WriteAll(handle.Get(), bytes.data(), bytes.size())) fail(::GetLastError());
    if (!::FlushFileBuffers(handle.Get())) fail(::GetLastError());
    if (!handle.Close()) fail(::GetLastError());
    // Checked once more just before the rename, so that nothing which took the target's place
    // while the bytes were written is replaced. A missing target is not replaced either, so a
    // file that appears meanwhile is checked first.
    const std::wstring widePath = WidePath(path);
    try {
        if (CheckTarget(path) == TTargetState::Missing &&
            ::MoveFileExW(wideTemporary.c_str(), widePath.c_str(), MOVEFILE_WRITE_THROUGH))
            return;
        if (::GetLastError() == ERROR_ALREADY_EXISTS || ::GetLastError() == ERROR_FILE_EXISTS)
            CheckTarget(path);
    } catch (...) {
        ::DeleteFileW(wideTemporary.c_str());
        throw;
    }
    if (!::MoveFileExW(wideTemporary.c_str(), widePath.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(wideTemporary.c_str());
        ThrowCreateError(path, SystemErrorText(error));
    }
}

bool MakeDirectory(const std::string& folder) {
    if (folder.empty()) return false;
    if (!::CreateDirectoryW(WidePath(folder).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    return DirectoryExists(folder);
}

std::string RealPath(const std::string& path) {
    if (path.empty()) return std::string();
    THandle handle(OpenForQuery(WidePath(path)));
    if (!handle.IsValid()) return std::string();
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(handle.Get(), buffer.data(), DWORD(buffer.size()),
                                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return std::string();
        if (length < buffer.size()) {
            buffer.resize(length);
            return ProgramPath(buffer);
        }
        buffer.resize(length + 1);
    }
}

bool IsSymbolicLink(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

TFileStatus FileStatus(const std::string& path) {
    if (path.empty()) return {};
    THandle handle(OpenForQuery(WidePath(path)));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle.IsValid() || !::GetFileInformationByHandle(handle.Get(), &info)) return {};
    const auto written =
        (std::uint64_t(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
    return {true, info.dwVolumeSerialNumber, (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
            (std::int64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow, std::int64_t(written) * 100};
}
