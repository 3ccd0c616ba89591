#include "skin/TsSkinImageFinder.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <span>

#include "platform/core/Exceptions.h"
#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/os/FileSystem.h"
#include "skin/SkinStrings.h"
#include "skin/TacSkinConvertor.h"
#include "skin/TsSkinLoadBudget.h"

bool NamesJpegImage(std::string_view name) {
    auto holds = [name](std::string_view upper) {
        return std::search(name.begin(), name.end(), upper.begin(), upper.end(),
                           [](char a, char b) { return UpCase(a) == b; }) != name.end();
    };
    return holds(".JPG") || holds(".JPEG");
}

std::string FindFileIgnoringCase(const std::string& folder, std::string_view name) {
    const std::string exact = IncludeTrailingPathDelimiter(folder) + std::string(name);
    if (FileExists(exact)) return exact;
    for (const TDirEntry& entry : ListDirectory(folder))
        if (!entry.IsDirectory && SameText(entry.Name, name))
            return IncludeTrailingPathDelimiter(folder) + entry.Name;
    return {};
}

TsSkinImageFinder::TsSkinImageFinder(const TacSkinConvertor* package, std::string skinPath,
                                     TsSkinLoadBudget* budget)
    : m_package(package), m_skinPath(std::move(skinPath)), m_budget(budget) {}

std::string TsSkinImageFinder::FolderFile(std::string_view name) const {
    if (m_skinPath.empty()) return {};
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    // Only names below the skin folder: no full path, no drive, no step up.
    if (path.front() == '/' || path.find(':') != std::string::npos) return {};
    for (std::string_view part : SplitWords(path, "/"))
        if (part == "..") return {};
    const std::string full = m_skinPath + path;
    const std::string found = FindFileIgnoringCase(ExtractFilePath(full), ExtractFileName(full));
    if (found.empty()) return {};
    // A link inside the folder may still point elsewhere: the file must really lie in it.
    char resolvedFile[PATH_MAX];
    char resolvedFolder[PATH_MAX];
    if (!::realpath(found.c_str(), resolvedFile) || !::realpath(m_skinPath.c_str(), resolvedFolder))
        return {};
    const std::string folder = IncludeTrailingPathDelimiter(resolvedFolder);
    if (!std::string_view(resolvedFile).starts_with(folder)) return {};
    return resolvedFile;
}

std::optional<std::vector<std::uint8_t>> TsSkinImageFinder::Find(std::string_view name) const {
    if (name.empty()) return std::nullopt;
    if (m_package) {
        if (const TacPackageEntry* entry = m_package->FindImage(name)) return entry->Data;
        return std::nullopt;
    }
    const std::string found = FolderFile(name);
    if (found.empty()) return std::nullopt;
    try {
        return ReadFileBytes(found, MaxSkinImageFileSize);
    } catch (const Exception&) {
        return std::nullopt;
    }
}

TsSkinImageFinder::TDecoded TsSkinImageFinder::Decode(std::string_view name) const {
    // A package entry is decoded where it lies; a folder file is read first.
    std::optional<std::vector<std::uint8_t>> file;
    std::span<const std::uint8_t> bytes;
    if (m_package) {
        const TacPackageEntry* entry = name.empty() ? nullptr : m_package->FindImage(name);
        if (!entry) return {std::nullopt, "missing"};
        bytes = entry->Data;
    } else {
        file = Find(name);
        if (!file) return {std::nullopt, "missing"};
        bytes = *file;
    }
    const std::string what = "the image \"" + std::string(name) + "\"";
    try {
        if (NamesJpegImage(name)) {
            TBitmap image = ReadJpeg(bytes);
            if (m_budget)
                m_budget->Charge(BitmapBytes(image.Width(), image.Height(), image.PixelFormat()), what);
            return {std::move(image), {}};
        }
        // Counted from the headers, before the picture is allocated.
        const TBmpPictureInfo info = ReadBmpInfo(bytes);
        if (m_budget) m_budget->Charge(BitmapBytes(info.Width, info.Height, info.Format), what);
        return {ReadBmp(bytes), {}};
    } catch (const ESkinTooLarge&) {
        throw;
    } catch (const std::exception& error) {
        return {std::nullopt, error.what()};
    }
}

std::optional<TBitmap> TsSkinImageFinder::ReadImage(std::string_view name) const {
    m_lastProblem.clear();
    const std::string key = AnsiUpperCase(name);
    auto found = m_decoded.find(key);
    if (found == m_decoded.end()) found = m_decoded.emplace(key, Decode(name)).first;
    const TDecoded& decoded = found->second;
    m_lastProblem = decoded.Problem;
    if (!decoded.Image) return std::nullopt;
    if (m_budget)
        m_budget->Charge(
            BitmapBytes(decoded.Image->Width(), decoded.Image->Height(), decoded.Image->PixelFormat()),
            "a copy of the image \"" + std::string(name) + "\"");
    return *decoded.Image;
}
