#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The runtime's text-to-integer conversion. Accepted: leading spaces, an optional "+" or "-",
// then decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X". Anything else,
// trailing blanks included, an empty text or a value beyond 32 bits is not an integer.
// Hexadecimal values up to $FFFFFFFF are taken as 32-bit patterns, so $FFFFFFFF is -1;
// decimal values must lie within the signed 32-bit range.

bool TryStrToInt(std::string_view text, std::int32_t& value);
std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue);
// Throws EConvertError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);
std::string IntToStr(std::int64_t value);
// The value of one hexadecimal digit (either letter case), or -1 for any other character.
int HexDigitValue(char c);
