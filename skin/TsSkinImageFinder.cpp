#include "skin/TsSkinImageFinder.h"

#include <algorithm>
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
                                     TsSkinLoadBudget* budget, TsDecodedImages* decoded)
    : m_package(package), m_skinPath(std::move(skinPath)), m_budget(budget),
      m_decoded(decoded ? decoded : &m_ownDecoded) {}

std::string TsSkinImageFinder::FolderFile(std::string_view name) const {
    if (m_skinPath.empty()) return {};
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    // Only names below the skin folder: no full path, no drive, no step up.
    if (path.front() == '/' || path.find(':') != std::string::npos) return {};
    for (std::string_view part : SplitWords(path, "/"))
        if (part == "..") return {};
    const std::string full = m_skinPath + path;
    // The folder changes when a file of that name appears in it or leaves it.
    m_decoded->NoteFile(ExtractFilePath(full));
    const std::string found = FindFileIgnoringCase(ExtractFilePath(full), ExtractFileName(full));
    if (found.empty()) return {};
    // A link inside the folder may still point elsewhere: the file must really lie in it.
    const std::string resolvedFile = RealPath(found);
    const std::string resolvedFolder = RealPath(m_skinPath);
    if (resolvedFile.empty() || resolvedFolder.empty()) return {};
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
    // Noted before reading: a change after this point shows in the stamp.
    m_decoded->NoteFile(found);
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
        if (!entry) return {nullptr, "missing"};
        bytes = entry->Data;
    } else {
        file = Find(name);
        if (!file) return {nullptr, "missing"};
        bytes = *file;
    }
    const std::string what = "the image \"" + std::string(name) + "\"";
    try {
        if (NamesJpegImage(name)) {
            TBitmap image = ReadJpeg(bytes);
            if (m_budget)
                m_budget->Charge(BitmapBytes(image.Width(), image.Height(), image.PixelFormat()), what);
            return {std::make_shared<const TBitmap>(std::move(image)), {}};
        }
        // Counted from the headers, before the picture is allocated.
        const TBmpPictureInfo info = ReadBmpInfo(bytes);
        if (m_budget) m_budget->Charge(BitmapBytes(info.Width, info.Height, info.Format), what);
        return {std::make_shared<const TBitmap>(ReadBmp(bytes)), {}};
    } catch (const ESkinTooLarge&) {
        throw;
    } catch (const std::exception& error) {
        return {nullptr, error.what()};
    }
}

const TsSkinImageFinder::TDecoded& TsSkinImageFinder::Decoded(std::string_view name) const {
    m_lastProblem.clear();
    const std::string key = AnsiUpperCase(name);
    const TDecoded* decoded = m_decoded->Find(key);
    if (!decoded) {
        decoded = &m_decoded->Add(key, Decode(name));
        m_charged.insert(key);
    } else if (m_charged.insert(key).second && m_budget && decoded->Image) {
        // Decoded by an earlier load of the same source: this load holds it all the same.
        const TBitmap& image = *decoded->Image;
        m_budget->Charge(BitmapBytes(image.Width(), image.Height(), image.PixelFormat()),
                         "the image \"" + std::string(name) + "\"");
    }
    m_lastProblem = decoded->Problem;
    return *decoded;
}

std::optional<TBitmap> TsSkinImageFinder::ReadImage(std::string_view name) const {
    const TDecoded& decoded = Decoded(name);
    if (!decoded.Image) return std::nullopt;
    if (m_budget)
        m_budget->Charge(
            BitmapBytes(decoded.Image->Width(), decoded.Image->Height(), decoded.Image->PixelFormat()),
            "a copy of the image \"" + std::string(name) + "\"");
    return *decoded.Image;
}

std::shared_ptr<const TBitmap> TsSkinImageFinder::ReadSharedImage(std::string_view name) const {
    return Decoded(name).Image;
}
