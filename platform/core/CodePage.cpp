#include "platform/core/CodePage.h"

#include "platform/core/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iconv.h>

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

// Converts with iconv; an input byte that cannot be converted is replaced and skipped.
bool Convert(std::string_view input, const char* from, const char* to, std::string_view replacement,
             std::string& output) {
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    output.clear();
    output.reserve(input.size() * 2);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = ::iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            // An undefined or incomplete sequence: replace one byte and carry on.
            output.append(replacement);
            if (inLeft > 0) {
                ++in;
                --inLeft;
            }
        }
    }
    ::iconv_close(cd);
    return true;
}

std::string NormaliseCodePageName(std::string name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.pop_back();
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
        name.erase(name.begin());
    if (name.empty()) return "CP1251";
    bool digits = true;
    for (char c : name)
        digits = digits && c >= '0' && c <= '9';
    if (digits) return "CP" + name;
    return AnsiUpperCase(name);
}

} // namespace

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    char32_t code = 0;
    while (i < text.size()) {
        const std::size_t length = Utf8::DecodeOne(text, i, code);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string AnsiCodePage() {
    const char* value = std::getenv("QUIBBLETON_CODEPAGE");
    return NormaliseCodePageName(value != nullptr ? value : "");
}

std::string DecodeCodePage(std::string_view bytes, const std::string& codePage) {
    std::string result;
    if (Convert(bytes, codePage.c_str(), "UTF-8", kReplacement, result)) return result;
    result.clear();
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80)
            result.push_back(c);
        else
            result.append(kReplacement);
    }
    return result;
}

std::string AnsiToDisplayText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string codePage = AnsiCodePage();
    std::string result;
    if (Convert(bytes, codePage.c_str(), "UTF-8", kReplacement, result)) return result;
    return DecodeCodePage(bytes, "CP1251");
}

std::string Utf8ToAnsi(std::string_view utf8) {
    // Text that is not UTF-8 is taken to be in the code page already.
    if (!IsValidUtf8(utf8)) return std::string(utf8);
    std::string result;
    const std::string target = AnsiCodePage();
    // Character by character, so that a character the code page lacks becomes one "?".
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t i = 0;
    iconv_t cd = ::iconv_open(target.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) cd = ::iconv_open("CP1251", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(utf8);
    while (i < utf8.size()) {
        std::size_t length = p[i] < 0x80 ? 1 : p[i] < 0xE0 ? 2 : p[i] < 0xF0 ? 3 : 4;
        char* in = const_cast<char*>(utf8.data() + i);
        std::size_t inLeft = length;
        char buffer[16];
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (::iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
            result.push_back('?');
        } else {
            result.append(buffer, static_cast<std::size_t>(out - buffer));
        }
        i += length;
    }
    ::iconv_close(cd);
    return result;
}

char UpCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string AnsiUpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = UpCase(c);
    return result;
}

std::string AnsiLowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(UpCase(a[i]));
        const auto y = static_cast<unsigned char>(UpCase(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}
