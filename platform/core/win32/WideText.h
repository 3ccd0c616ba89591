#pragma once

#include <string>
#include <string_view>

// UTF-16 for the system's wide-character calls. The program's texts and paths are UTF-8;
// bytes that are not valid UTF-8 are taken to be in the ANSI code page, as CodePage.h reads
// 8-bit text.
std::wstring Utf8ToWide(std::string_view text);
// A lone surrogate, which Windows allows in names, becomes U+FFFD.
std::string WideToUtf8(std::wstring_view text);
