#include "platform/graphics/PngWriter.h"

#include "platform/os/FileSystem.h"

void WritePng(const TBitmap& bitmap, const std::filesystem::path& path) {
    // The file functions take UTF-8 split at "/", which a Windows path's own string is not.
    const std::u8string name = path.generic_u8string();
    WriteFileAtomically(std::string(name.begin(), name.end()), WritePngToMemory(bitmap));
}
