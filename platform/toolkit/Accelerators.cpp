#include "platform/toolkit/Accelerators.h"

#include "platform/core/Utf8.h"

namespace Accelerators {
namespace {

// Case folding for the letters captions use: ASCII, Latin-1 and Cyrillic.
char32_t Fold(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

} // namespace

char32_t AccelChar(std::string_view caption) {
    std::u32string s = Utf8::Decode(caption);
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != U'&') continue;
        if (s[i + 1] == U'&') {
            ++i;
            continue;
        }
        return s[i + 1];
    }
    return 0;
}

bool IsAccel(char32_t ch, std::string_view caption) {
    char32_t a = AccelChar(caption);
    return a != 0 && Fold(a) == Fold(ch);
}

} // namespace Accelerators
