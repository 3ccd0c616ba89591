#include "platform/core/CodePage.h"

#include "platform/core/CodePageConversion.h"
#include "platform/core/Utf8.h"

#include <algorithm>
#include <cstdlib>

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

std::string NormaliseCodePageName(std::string name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.pop_back();
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
        name.erase(name.begin());
    if (name.empty()) return SystemAnsiCodePage();
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
    if (DecodeFromCodePage(bytes, codePage, kReplacement, result)) return result;
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
    if (DecodeFromCodePage(bytes, codePage, kReplacement, result)) return result;
    return DecodeCodePage(bytes, "CP1251");
}

std::string Utf8ToAnsi(std::string_view utf8) {
    // Text that is not UTF-8 is taken to be in the code page already.
    if (!IsValidUtf8(utf8)) return std::string(utf8);
    std::string result;
    if (EncodeToCodePage(utf8, AnsiCodePage(), result)) return result;
    if (EncodeToCodePage(utf8, "CP1251", result)) return result;
    return std::string(utf8);
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
