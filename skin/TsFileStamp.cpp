#include "skin/TsFileStamp.h"

#include "platform/os/FileSystem.h"

TsFileStamp StampOfFile(const std::string& path) {
    const TFileStatus status = FileStatus(path);
    return {status.Exists, status.Device, status.FileId, status.Size, status.ModifiedNanoseconds};
}
