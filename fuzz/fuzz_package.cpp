// Feeds arbitrary bytes to the skin package reader as a package's source.
#include <cstddef>
#include <cstdint>
#include <exception>

#include "skin/SkinMessages.h"
#include "skin/TacSkinConvertor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool silenced = [] {
        SetSkinMessageHook([](const TSkinMessage&) {});
        return true;
    }();
    (void)silenced;
    TacSkinConvertor reader;
    reader.LendSource({data, size});
    try {
        reader.LoadPackage();
    } catch (const std::exception&) {
    }
    for (const TacPackageEntry& entry : reader.Files())
        (void)reader.FindImage(entry.FileName);
    reader.ReleaseSource();
    return 0;
}
