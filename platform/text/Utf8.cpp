#include "platform/text/Utf8.h"

#include <cstdint>

namespace Utf8 {

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

} // namespace

std::u32string Decode(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            result.push_back(lead);
            ++i;
            continue;
        }
        int length = 0;
        char32_t value = 0;
        char32_t minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            value = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            value = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            value = lead & 0x07;
            minimum = 0x10000;
        }
        bool valid = length > 0 && i + std::size_t(length) <= n;
        for (int k = 1; valid && k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + std::size_t(k)]);
            if (!IsContinuation(c))
                valid = false;
            else
                value = (value << 6) | (c & 0x3F);
        }
        if (valid && (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)))
            valid = false;
        if (valid) {
            result.push_back(value);
            i += std::size_t(length);
        } else {
            result.push_back(ReplacementCharacter);
            ++i;
        }
    }
    return result;
}

std::string Encode(std::u32string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = ReplacementCharacter;
        if (c < 0x80) {
            result.push_back(char(c));
        } else if (c < 0x800) {
            result.push_back(char(0xC0 | (c >> 6)));
            result.push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            result.push_back(char(0xE0 | (c >> 12)));
            result.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            result.push_back(char(0x80 | (c & 0x3F)));
        } else {
            result.push_back(char(0xF0 | (c >> 18)));
            result.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            result.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            result.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return result;
}

} // namespace Utf8
