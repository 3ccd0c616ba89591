#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// File and folder services. Paths are byte strings whose parts are split at "/", and on Windows
// at "\" too (IsPathDelimiter); the program itself writes "/". The bytes are UTF-8 (on Windows
// they become the UTF-16 of the system's wide calls, and bytes that are not valid UTF-8 are read
// in the ANSI code page; elsewhere they are the file system's own bytes). On Windows a path may
// start with a drive ("C:/Games/", "Z:\tmp\") and be of any length.

// "/", and on Windows "\" as well.
bool IsPathDelimiter(char c);

bool FileExists(const std::string& path);      // anything but a folder (symbolic links followed)
bool DirectoryExists(const std::string& path); // a folder (symbolic links followed)

struct TDirEntry {
    std::string Name;
    bool IsDirectory = false;
};

// Every entry of the folder, "." and ".." included, sorted by name byte for byte so that
// results do not depend on the file system's order. An unreadable folder lists nothing.
std::vector<TDirEntry> ListDirectory(const std::string& folder);

// The whole file. Only regular files are read: the file is opened without waiting (a FIFO
// or a device never blocks the open) and checked after opening, so a link that points to
// something else is refused as well. Throws EFOpenError "Cannot open file "<path>".
// <reason>" when the file is missing, is not a regular file, holds more than maxSize bytes,
// or cannot be opened or read.
inline constexpr std::int64_t DefaultMaxFileSize = 256LL * 1024 * 1024;
std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::int64_t maxSize = DefaultMaxFileSize);

// The file that WriteFileAtomically replaces for the path: the path itself, or the target of
// the symbolic link standing there. Throws EFCreateError "Cannot create file "<file>".
// <reason>" when that file exists and may not be replaced: it is not a regular file (a FIFO,
// a device, a link leading nowhere: "It is not a regular file"; a folder), its mode lets no
// one write it (root included), or the process may not write it.
std::string ReplaceableFile(const std::string& path);

// Replaces the file's contents so that a reader sees either the old or the new file, never a
// mixture, and so that a crash or a full disk leaves the old file in place: the bytes go to a
// temporary file in the same folder, which is flushed to disk and renamed over the target,
// and then the folder itself is flushed. A symbolic link is written through to its target.
// Only a regular file that may be written is replaced (ReplaceableFile), checked before
// anything is written. Throws EFCreateError naming the file and the reason; the old file is
// then unchanged.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Creates the folder and every missing parent; true when the folder exists afterwards.
bool ForceDirectories(const std::string& folder);
// Creates the one folder, its parent existing; true when the folder exists afterwards.
bool MakeDirectory(const std::string& folder);

// The absolute path of the file or folder with every link resolved ("/" between the parts on
// every system); empty when it does not exist.
std::string RealPath(const std::string& path);
// Whether a symbolic link (on Windows any reparse point, junctions included) stands at the path.
bool IsSymbolicLink(const std::string& path);

// What tells a file apart from an earlier state of itself (links followed): the volume, the
// file's number on it, its size and the time of its last change.
struct TFileStatus {
    bool Exists = false;
    std::uint64_t Device = 0;
    std::uint64_t FileId = 0;
    std::int64_t Size = 0;
    std::int64_t ModifiedNanoseconds = 0;
};
TFileStatus FileStatus(const std::string& path);

std::string IncludeTrailingPathDelimiter(const std::string& path);
std::string ExcludeTrailingPathDelimiter(const std::string& path);
// From the last "." of the file name, inclusive; empty when the file name has no dot.
std::string ExtractFileExt(const std::string& path);
// Everything up to and including the last "/"; empty when there is none.
std::string ExtractFilePath(const std::string& path);
// Everything after the last "/".
std::string ExtractFileName(const std::string& path);
