#include "app/PhraseFile.h"

#include "platform/core/CodePage.h"
#include "platform/os/FileSystem.h"
#include "platform/os/TStringList.h"

#include <algorithm>

TPhraseEncoding LoadPhraseFile(const std::string& path, TStringList& list) {
    // A name present in any form, a folder included, is read (a broken link counts as nothing).
    if (!FileExists(path) && !DirectoryExists(path)) return TPhraseEncoding::Utf8;
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    // The text ends at a NUL byte; what follows it decides nothing.
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                                static_cast<std::size_t>(end - bytes.begin()));
    list.LoadFromBytes(text);
    return IsValidUtf8(text) ? TPhraseEncoding::Utf8 : TPhraseEncoding::AnsiCodePage;
}

std::string PhraseForDisplay(std::string_view phrase, TPhraseEncoding encoding) {
    if (encoding == TPhraseEncoding::Utf8) return std::string(phrase);
    return DecodeCodePage(phrase, AnsiCodePage());
}
