#pragma once

#include <string>
#include <string_view>

// 8-bit text. Files hold bytes; the rest of the system shows UTF-8. Text that is valid UTF-8
// is taken as it stands, anything else is decoded from the ANSI code page: the system's own
// (on Windows GetACP(), elsewhere Windows-1251) unless the environment variable
// QUIBBLETON_CODEPAGE names another ("1252", "CP1252", "KOI8-R").

bool IsValidUtf8(std::string_view text);

// The name of the ANSI code page in effect, such as "CP1251" (iconv's names).
std::string AnsiCodePage();

// Bytes from a file to UTF-8 for display: valid UTF-8 is returned unchanged, anything else is
// decoded from the ANSI code page. Bytes that the code page does not define become U+FFFD.
std::string AnsiToDisplayText(std::string_view bytes);

// Decodes the bytes from the given code page (an iconv name) whether or not they look like
// UTF-8. Undefined bytes become U+FFFD; an unknown code page decodes ASCII and replaces the rest.
std::string DecodeCodePage(std::string_view bytes, const std::string& codePage);

// UTF-8 to the ANSI code page, for names written back to 8-bit files; characters the code page
// lacks become "?".
std::string Utf8ToAnsi(std::string_view utf8);

// Letter case of ASCII letters only: other bytes, including the letters of the ANSI code page
// and every byte of a multi-byte UTF-8 sequence, are left as they are, so that a name keeps
// its bytes apart from the letters A to Z.
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);
char UpCase(char c);
// Equality and ordering with ASCII letter case not counting.
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
