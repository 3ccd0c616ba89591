#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class TStringList;

// How the bytes of the phrase file are shown: as they stand when the whole file is UTF-8,
// otherwise decoded from the ANSI code page.
enum class TPhraseEncoding { Utf8, AnsiCodePage };

// The phrase file's name beside the program.
inline constexpr std::string_view PhraseFileName = "Texts.txt";

// The largest phrase file read; a larger one is refused like an unreadable one.
inline constexpr std::int64_t MaxPhraseFileSize = 64LL * 1024 * 1024;

// Loads the phrase file into list, one phrase per line, when anything of that name exists.
// Nothing there leaves the list empty without a word. A name that exists but cannot be read
// (a folder, a file without read access, a FIFO or device, a file above MaxPhraseFileSize)
// throws EFOpenError naming the file and the reason, and the list is left as it was.
TPhraseEncoding LoadPhraseFile(const std::string& path, TStringList& list);

// A phrase as UTF-8 for display.
std::string PhraseForDisplay(std::string_view phrase, TPhraseEncoding encoding);
