#pragma once

#include <string>
#include <string_view>

// UTF-8 to code points and back. Decoding never fails: every byte that does not start a
// well-formed sequence (overlong forms, surrogates and values past U+10FFFF included)
// becomes one U+FFFD.
namespace Utf8 {

constexpr char32_t ReplacementCharacter = 0xFFFD;

std::u32string Decode(std::string_view text);
std::string Encode(std::u32string_view text);

} // namespace Utf8
