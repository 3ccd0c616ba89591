#include "platform/graphics/PngWriter.h"

#include "platform/os/FileSystem.h"
#include "platform/os/PathText.h"

void WritePng(const TBitmap& bitmap, const std::filesystem::path& path) {
    WriteFileAtomically(PathText(path), WritePngToMemory(bitmap));
}
