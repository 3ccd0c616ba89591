#include "platform/backends/win32/TWmCharDecoder.h"

#include "platform/core/Utf8.h"

namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

bool TWmCharDecoder::IsPrintable(char32_t c) {
    if (c < 0x20 || c == 0x7F) return false;
    if (c >= 0x80 && c <= 0x9F) return false;
    if (c >= 0xD800 && c <= 0xDFFF) return false;
    return c <= 0x10FFFF;
}

std::optional<std::string> TWmCharDecoder::Take(char16_t unit) {
    char32_t c = unit;
    if (IsHighSurrogate(unit)) {
        m_highSurrogate = unit;
        return std::nullopt;
    }
    if (IsLowSurrogate(unit)) {
        if (!m_highSurrogate) return std::nullopt;
        c = 0x10000 + ((char32_t(m_highSurrogate) - 0xD800) << 10) + (char32_t(unit) - 0xDC00);
    }
    m_highSurrogate = 0;
    if (!IsPrintable(c)) return std::nullopt;
    std::string text;
    Utf8::AppendOne(text, c);
    return text;
}
