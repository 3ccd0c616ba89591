#include "platform/graphics/PngReader.h"

#include "platform/core/Exceptions.h"
#include "platform/os/FileSystem.h"

std::optional<TBitmap> ReadPngFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const Exception&) {
        return std::nullopt;
    }
    return ReadPng(bytes);
}
