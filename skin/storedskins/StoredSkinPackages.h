#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The skin packages built into the program: one per stored skin, packed from skins/<Folder>/
// at build time. The application puts them into its managers' InternalSkins.
struct TStoredSkinPackage {
    std::string_view Name;              // for example "Golden (internal)"
    std::span<const std::uint8_t> Data; // a complete skin package
};

// Every built-in package, in the order the windows list their stored skins. Defined by the
// storedskins library; a stored skin whose sources were missing at build time is absent.
std::span<const TStoredSkinPackage> StoredSkinPackages();

// The package of that exact name, or null.
const TStoredSkinPackage* FindStoredSkinPackage(std::string_view name);
