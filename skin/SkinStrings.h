#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/CodePage.h"
#include "platform/core/StrToInt.h"

// Text helpers of the skin engine. Skin texts are 8-bit; letter case is folded for the
// ASCII letters only, as the skin files are written in plain upper-case ASCII.

// Letter case and integer conversion come from the platform (CodePage.h, StrToInt.h).

// UpCase and SameText, inline for the lookups that run for every key of every section.
inline char FoldUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldUpper(a[i]) != FoldUpper(b[i])) return false;
    return true;
}

// Removes leading and trailing blanks and control characters (everything up to ' ').
std::string_view Trim(std::string_view text);

// A real number with "." as the decimal separator whatever the system's setting.
std::optional<double> TryStrToFloat(std::string_view text);

// Splits at any of the separators; empty words are dropped.
std::vector<std::string_view> SplitWords(std::string_view text, std::string_view separators);

// A substring by 1-based position, clipped to the text as the runtime's Copy does.
std::string_view CopyText(std::string_view text, std::size_t position, std::size_t count);

// The version text of a skin ("5.41"): shortest form, "." as separator.
std::string FloatToText(double value);
