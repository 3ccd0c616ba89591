#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/TBitmap.h"

class TacSkinConvertor;

// Finds the files an options text names: among a package's image entries, or in a skin
// folder. Folder names are matched with letter case not counting, as the skin files name
// their images in upper case whatever the files are called.
class TsSkinImageFinder {
public:
    // Images come from the package when there is one, else from the folder (ending with "/").
    TsSkinImageFinder(const TacSkinConvertor* package, std::string skinPath);

    // The file's bytes; nothing when no file of that name exists. A name holding ":" or
    // starting with "/" is a full path; "\" counts as "/".
    std::optional<std::vector<std::uint8_t>> Find(std::string_view name) const;

    // The image decoded (BMP, or JPEG for ".JPG"/".JPEG" names); nothing when the file is
    // missing or cannot be decoded.
    std::optional<TBitmap> ReadImage(std::string_view name) const;

    // Why the last ReadImage found nothing: empty, "missing" or the decoder's message.
    const std::string& LastProblem() const { return m_lastProblem; }

private:
    const TacSkinConvertor* m_package;
    std::string m_skinPath;
    mutable std::string m_lastProblem;
};

// True when the name holds ".JPG" or ".JPEG" in any letter case: such images are JPEG, the
// rest BMP.
bool NamesJpegImage(std::string_view name);

// The path of the file in the folder whose name equals `name` with ASCII letter case not
// counting, preferring the exact name; empty when there is none.
std::string FindFileIgnoringCase(const std::string& folder, std::string_view name);
