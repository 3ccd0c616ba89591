#pragma once

#include <cstdint>
#include <string>

// What tells a file apart from an earlier state of itself: its place on the disk, size and
// time of the last change. A file that is missing has the stamp of a missing file.
struct TsFileStamp {
    bool Exists = false;
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0; // the file's number on its volume
    std::int64_t Size = 0;
    std::int64_t ModifiedNanoseconds = 0;

    friend bool operator==(const TsFileStamp&, const TsFileStamp&) = default;
};

// The stamp of the file or folder at the path (links followed).
TsFileStamp StampOfFile(const std::string& path);
