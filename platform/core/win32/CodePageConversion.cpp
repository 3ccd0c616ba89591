#include "platform/core/CodePageConversion.h"

#include "platform/core/CodePage.h"
#include "platform/core/StrToInt.h"
#include "platform/core/win32/WideText.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <climits>
#include <optional>

namespace {

struct TNamedCodePage {
    std::string_view Name;
    UINT Number;
};

// The names iconv knows for code pages that have no "CPnnnn" form.
constexpr std::array<TNamedCodePage, 5> kNamedCodePages = {{
    {"KOI8-R", 20866},
    {"KOI8-U", 21866},
    {"UTF-8", CP_UTF8},
    {"ASCII", 20127},
    {"US-ASCII", 20127},
}};

std::optional<UINT> CodePageNumber(const std::string& name) {
    const std::string upper = AnsiUpperCase(name);
    std::string_view digits;
    for (std::string_view prefix : {"CP", "WINDOWS-", "IBM"}) {
        if (std::string_view(upper).starts_with(prefix))
            digits = std::string_view(upper).substr(prefix.size());
    }
    if (std::string_view(upper).starts_with("ISO-8859-")) {
        std::int32_t part = 0;
        if (TryStrToInt(upper.substr(9), part) && part >= 1 && part <= 16) return 28590 + UINT(part);
        return std::nullopt;
    }
    for (const TNamedCodePage& named : kNamedCodePages)
        if (upper == named.Name) return named.Number;
    if (digits.empty()) return std::nullopt;
    UINT number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9' || number > 100000) return std::nullopt;
        number = number * 10 + UINT(c - '0');
    }
    if (!::IsValidCodePage(number)) return std::nullopt;
    return number;
}

// The system's tables give the bytes that a Windows code page leaves undefined (0x98 of
// Windows-1251) the C1 control of the same number; only the ISO 8859 pages define those.
bool HasUndefinedMapping(UINT codePage, std::wstring_view wide) {
    if (codePage >= 28591 && codePage <= 28606) return false;
    return std::any_of(wide.begin(), wide.end(), [](wchar_t unit) { return unit >= 0x80 && unit <= 0x9F; });
}

// Whether the bytes are exactly one character of the code page.
bool DecodeOne(UINT codePage, const char* bytes, int count, wchar_t (&wide)[4], int& units) {
    units = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, count, wide, 4);
    return units > 0 && !HasUndefinedMapping(codePage, std::wstring_view(wide, std::size_t(units)));
}

} // namespace

std::string SystemAnsiCodePage() {
    return "CP" + std::to_string(::GetACP());
}

bool DecodeFromCodePage(std::string_view bytes, const std::string& codePage, std::string_view replacement,
                        std::string& utf8) {
    const std::optional<UINT> number = CodePageNumber(codePage);
    if (!number) return false;
    utf8.clear();
    if (bytes.empty()) return true;
    if (bytes.size() < std::size_t(INT_MAX)) {
        const int count = int(bytes.size());
        const int units =
            ::MultiByteToWideChar(*number, MB_ERR_INVALID_CHARS, bytes.data(), count, nullptr, 0);
        if (units > 0) {
            std::wstring wide(std::size_t(units), L'\0');
            if (::MultiByteToWideChar(*number, MB_ERR_INVALID_CHARS, bytes.data(), count, wide.data(),
                                      units) == units &&
                !HasUndefinedMapping(*number, wide)) {
                utf8 = WideToUtf8(wide);
                return true;
            }
        }
    }
    utf8.reserve(bytes.size() * 2);
    // One character at a time, so that an undefined byte costs only itself: the shortest run
    // of at most four bytes that the system decodes is one character.
    std::size_t i = 0;
    while (i < bytes.size()) {
        wchar_t wide[4];
        int units = 0;
        std::size_t length = 0;
        const std::size_t most = std::min<std::size_t>(4, bytes.size() - i);
        for (std::size_t n = 1; n <= most; ++n) {
            if (DecodeOne(*number, bytes.data() + i, int(n), wide, units)) {
                length = n;
                break;
            }
        }
        if (length == 0) {
            utf8.append(replacement);
            ++i;
            continue;
        }
        utf8 += WideToUtf8(std::wstring_view(wide, std::size_t(units)));
        i += length;
    }
    return true;
}

bool EncodeToCodePage(std::string_view utf8, const std::string& codePage, std::string& bytes) {
    const std::optional<UINT> number = CodePageNumber(codePage);
    if (!number) return false;
    if (*number == CP_UTF8) {
        bytes.assign(utf8);
        return true;
    }
    bytes.clear();
    const std::wstring wide = Utf8ToWide(utf8);
    // Character by character, so that a character the code page lacks becomes one "?" and is
    // never replaced by a look-alike.
    for (std::size_t i = 0; i < wide.size();) {
        const bool pair = wide[i] >= 0xD800 && wide[i] < 0xDC00 && i + 1 < wide.size();
        const int units = pair ? 2 : 1;
        char buffer[16];
        BOOL usedDefault = FALSE;
        const int got = ::WideCharToMultiByte(*number, WC_NO_BEST_FIT_CHARS, wide.data() + i, units, buffer,
                                              int(sizeof buffer), "?", &usedDefault);
        if (got <= 0 || usedDefault)
            bytes.push_back('?');
        else
            bytes.append(buffer, std::size_t(got));
        i += std::size_t(units);
    }
    return true;
}
