#include "platform/graphics/PngWriter.h"

#include "platform/os/FileSystem.h"

void WritePng(const TBitmap& bitmap, const std::filesystem::path& path) {
    WriteFileAtomically(path.string(), WritePngToMemory(bitmap));
}
