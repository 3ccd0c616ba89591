#include "skin/TsSkinImageFinder.h"

#include <algorithm>

#include "platform/core/Exceptions.h"
#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/os/FileSystem.h"
#include "skin/SkinStrings.h"
#include "skin/TacSkinConvertor.h"

bool NamesJpegImage(std::string_view name) {
    const std::string upper = AnsiUpperCase(name);
    return upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos;
}

std::string FindFileIgnoringCase(const std::string& folder, std::string_view name) {
    const std::string exact = IncludeTrailingPathDelimiter(folder) + std::string(name);
    if (FileExists(exact)) return exact;
    for (const TDirEntry& entry : ListDirectory(folder))
        if (!entry.IsDirectory && SameText(entry.Name, name))
            return IncludeTrailingPathDelimiter(folder) + entry.Name;
    return {};
}

TsSkinImageFinder::TsSkinImageFinder(const TacSkinConvertor* package, std::string skinPath)
    : m_package(package), m_skinPath(std::move(skinPath)) {}

std::optional<std::vector<std::uint8_t>> TsSkinImageFinder::Find(std::string_view name) const {
    if (name.empty()) return std::nullopt;
    if (m_package) {
        if (const TacPackageEntry* entry = m_package->FindImage(name)) return entry->Data;
        return std::nullopt;
    }
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    std::string found;
    if (path.find(':') != std::string::npos || path.front() == '/') {
        if (FileExists(path)) found = path;
    } else if (!m_skinPath.empty()) {
        const std::string full = m_skinPath + path;
        found = FindFileIgnoringCase(ExtractFilePath(full), ExtractFileName(full));
    }
    if (found.empty()) return std::nullopt;
    try {
        return ReadFileBytes(found);
    } catch (const Exception&) {
        return std::nullopt;
    }
}

std::optional<TBitmap> TsSkinImageFinder::ReadImage(std::string_view name) const {
    m_lastProblem.clear();
    const auto bytes = Find(name);
    if (!bytes) {
        m_lastProblem = "missing";
        return std::nullopt;
    }
    try {
        return NamesJpegImage(name) ? ReadJpeg(*bytes) : ReadBmp(*bytes);
    } catch (const std::exception& error) {
        m_lastProblem = error.what();
        return std::nullopt;
    }
}
