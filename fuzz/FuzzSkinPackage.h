#pragma once

// Shared by the skin fuzz targets: reads the input as a skin package with the engine's
// warning box silenced. A reader error ends the read; what was read before it stays.
//
// The package and its entries together may hold FuzzPackageTotalLimit bytes: a few bytes of
// zlib stream can declare a megabyte of zeros, and inflating the program's full budget
// (hundreds of megabytes) per input would slow the search a thousandfold. The program's
// own limit is tested by the unit tests; here the same check refuses at a smaller total.

#include <cstddef>
#include <cstdint>
#include <exception>

#include "skin/SkinMessages.h"
#include "skin/TacSkinConvertor.h"

inline constexpr std::int64_t FuzzPackageTotalLimit = 64 * 1024;

inline void ReadFuzzPackage(TacSkinConvertor& reader, const std::uint8_t* data, std::size_t size) {
    static const bool silenced = [] {
        SetSkinMessageHook([](const TSkinMessage&) {});
        return true;
    }();
    (void)silenced;
    reader.SetTotalLimit(FuzzPackageTotalLimit);
    reader.LendSource({data, size});
    try {
        reader.LoadPackage();
    } catch (const std::exception&) {
    }
}
