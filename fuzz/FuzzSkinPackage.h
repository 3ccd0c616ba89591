#pragma once

// Shared by the skin fuzz targets: reads the input as a skin package with the engine's
// warning box silenced. A reader error ends the read; what was read before it stays.

#include <cstddef>
#include <cstdint>
#include <exception>

#include "skin/SkinMessages.h"
#include "skin/TacSkinConvertor.h"

inline void ReadFuzzPackage(TacSkinConvertor& reader, const std::uint8_t* data, std::size_t size) {
    static const bool silenced = [] {
        SetSkinMessageHook([](const TSkinMessage&) {});
        return true;
    }();
    (void)silenced;
    reader.LendSource({data, size});
    try {
        reader.LoadPackage();
    } catch (const std::exception&) {
    }
}
