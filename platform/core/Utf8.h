#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 to code points and back. Decoding never fails: every byte that does not start a
// well-formed sequence (overlong forms, surrogates and values past U+10FFFF included)
// becomes one U+FFFD.
namespace Utf8 {

constexpr char32_t ReplacementCharacter = 0xFFFD;

std::u32string Decode(std::string_view text);
std::string Encode(std::u32string_view text);

// The length of the well-formed sequence that starts at text[pos], with its code point in
// value; 0 when the bytes there are not one (value is then left as it was).
std::size_t DecodeOne(std::string_view text, std::size_t pos, char32_t& value);
// Appends one code point; surrogates and values past U+10FFFF are appended as U+FFFD.
void AppendOne(std::string& out, char32_t c);

} // namespace Utf8
