#include "skin/TsFileStamp.h"

#include <sys/stat.h>

TsFileStamp StampOfFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return {true, std::uint64_t(info.st_dev), std::uint64_t(info.st_ino), std::int64_t(info.st_size),
            std::int64_t(info.st_mtim.tv_sec) * 1000000000 + std::int64_t(info.st_mtim.tv_nsec)};
}
