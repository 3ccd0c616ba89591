#pragma once

#include <string>
#include <string_view>

// The system's conversions behind CodePage.h, one implementation per platform. A code page is
// named as AnsiCodePage() names it ("CP1251", "KOI8-R").

// The ANSI code page of the system when the environment names none: Windows-1251 where the
// system has no such notion.
std::string SystemAnsiCodePage();

// Decodes the bytes to UTF-8; a byte that does not begin a defined character becomes one
// replacement and is skipped. False when the code page is unknown.
bool DecodeFromCodePage(std::string_view bytes, const std::string& codePage, std::string_view replacement,
                        std::string& utf8);

// Encodes valid UTF-8 character by character; a character the code page lacks becomes "?".
// False when the code page is unknown.
bool EncodeToCodePage(std::string_view utf8, const std::string& codePage, std::string& bytes);
