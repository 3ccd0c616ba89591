// Feeds arbitrary bytes to the skin package reader as a package's source.
#include <cstddef>
#include <cstdint>
#include <exception>

#include "fuzz/FuzzSkinPackage.h"
#include "skin/TacSkinConvertor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TacSkinConvertor reader;
    ReadFuzzPackage(reader, data, size);
    for (const TacPackageEntry& entry : reader.Files())
        (void)reader.FindImage(entry.FileName);
    reader.ReleaseSource();
    return 0;
}
