#include "platform/core/CodePageConversion.h"

#include <cerrno>
#include <iconv.h>

namespace {

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

} // namespace

std::string SystemAnsiCodePage() {
    return "CP1251";
}

bool DecodeFromCodePage(std::string_view bytes, const std::string& codePage, std::string_view replacement,
                        std::string& utf8) {
    return Convert(bytes, codePage.c_str(), "UTF-8", replacement, utf8);
}

bool EncodeToCodePage(std::string_view utf8, const std::string& codePage, std::string& result) {
    iconv_t cd = ::iconv_open(codePage.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    result.clear();
    // Character by character, so that a character the code page lacks becomes one "?".
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t i = 0;
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
    return true;
}
