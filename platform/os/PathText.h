#pragma once

#include <filesystem>
#include <string>

// A path in the form the file functions take (FileSystem.h): UTF-8 with "/" between the parts,
// which a Windows path's own string (the ANSI code page, "\") is not.
inline std::string PathText(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return {text.begin(), text.end()};
}
