#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/graphics/TBitmap.h"
#include "skin/TsDecodedImages.h"

class TacSkinConvertor;
class TsSkinLoadBudget;

// Finds the files an options text names: among a package's image entries, or in a skin
// folder. Folder names are matched with letter case not counting, as the skin files name
// their images in upper case whatever the files are called. A name finds only a regular
// file inside the skin's own folder: full paths, ".." and links that lead out of the folder
// find nothing.
//
// Each image is decoded once into the decoded images the finder is given (shared by every
// load of one source) or else into its own; every read gets a copy or a share of it. With a
// budget, each decoded image (once per finder, also when an earlier load decoded it) and
// every copy handed out are charged to it, the decoded size before anything is decoded, and
// ESkinTooLarge ends the read.
class TsSkinImageFinder {
public:
    // Images come from the package when there is one, else from the folder (ending with "/").
    TsSkinImageFinder(const TacSkinConvertor* package, std::string skinPath,
                      TsSkinLoadBudget* budget = nullptr, TsDecodedImages* decoded = nullptr);

    // The file's bytes; nothing when no file of that name exists in the skin. "\" counts as "/".
    std::optional<std::vector<std::uint8_t>> Find(std::string_view name) const;

    // The image decoded (BMP, or JPEG for ".JPG"/".JPEG" names); nothing when the file is
    // missing or cannot be decoded.
    std::optional<TBitmap> ReadImage(std::string_view name) const;
    // The decoded image itself, shared rather than copied, for uses that never change it.
    std::shared_ptr<const TBitmap> ReadSharedImage(std::string_view name) const;

    // Why the last ReadImage found nothing: empty, "missing" or the decoder's message.
    const std::string& LastProblem() const { return m_lastProblem; }

private:
    using TDecoded = TsDecodedImages::TDecoded;
    const TDecoded& Decoded(std::string_view name) const;
    TDecoded Decode(std::string_view name) const;
    std::string FolderFile(std::string_view name) const;

    const TacSkinConvertor* m_package;
    std::string m_skinPath;
    TsSkinLoadBudget* m_budget;
    mutable TsDecodedImages m_ownDecoded;
    TsDecodedImages* m_decoded;
    mutable std::unordered_set<std::string> m_charged; // names whose decoded size this finder charged
    mutable std::string m_lastProblem;
};

// The largest image file a skin folder may hold.
inline constexpr std::int64_t MaxSkinImageFileSize = 256LL * 1024 * 1024;

// True when the name holds ".JPG" or ".JPEG" in any letter case: such images are JPEG, the
// rest BMP.
bool NamesJpegImage(std::string_view name);

// The path of the file in the folder whose name equals `name` with ASCII letter case not
// counting, preferring the exact name; empty when there is none.
std::string FindFileIgnoringCase(const std::string& folder, std::string_view name);
