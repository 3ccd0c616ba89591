#include "platform/core/win32/WideText.h"

#include "platform/core/CodePage.h"
#include "platform/core/Utf8.h"

std::wstring Utf8ToWide(std::string_view text) {
    const std::string utf8 = IsValidUtf8(text) ? std::string(text) : AnsiToDisplayText(text);
    std::wstring wide;
    wide.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t code = Utf8::ReplacementCharacter;
        const std::size_t length = Utf8::DecodeOne(utf8, i, code);
        i += length == 0 ? 1 : length;
        if (code >= 0x10000) {
            code -= 0x10000;
            wide.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(code));
        }
    }
    return wide;
}

std::string WideToUtf8(std::wstring_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = static_cast<char16_t>(text[i]);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size()) {
            const char32_t low = static_cast<char16_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                Utf8::AppendOne(utf8, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        Utf8::AppendOne(utf8, unit);
    }
    return utf8;
}
