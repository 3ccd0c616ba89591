#pragma once

#include <cstdint>
#include <string_view>

// The conversions of the settings store's texts. Both accept what the runtime's integer
// conversion accepts (leading blanks, a sign, decimal digits, or hexadecimal digits after
// "$", "x", "X" or "0x") and never fail.

// A hue offset; 0 when the text is not an integer.
std::int32_t StrToHue(std::string_view text);
// A phrase index; -1 when the text is not an integer.
std::int32_t StrToPhraseIndex(std::string_view text);
