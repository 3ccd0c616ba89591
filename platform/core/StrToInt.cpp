#include "platform/core/StrToInt.h"

#include "platform/core/Exceptions.h"

bool TryStrToInt(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        i += 1;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size()) return false;

    // The magnitude is gathered in 64 bits and checked after every digit, so long inputs
    // cannot overflow; leading zeros are harmless.
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (hex) {
            const int digit = HexDigitValue(c);
            if (digit < 0) return false;
            magnitude = magnitude * 16 + static_cast<std::uint64_t>(digit);
            if (magnitude > 0xFFFFFFFFull) return false;
        } else {
            if (c < '0' || c > '9') return false;
            magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
            if (magnitude > 0x80000000ull) return false;
        }
    }
    if (hex) {
        // A hexadecimal value is a bit pattern; its negation wraps like the runtime's does.
        std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
        if (negative) bits = 0u - bits;
        value = static_cast<std::int32_t>(bits);
        return true;
    }
    if (!negative && magnitude > 0x7FFFFFFFull) return false;
    value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                     : static_cast<std::int32_t>(magnitude);
    return true;
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue) {
    std::int32_t value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

std::int32_t StrToInt(std::string_view text) {
    std::int32_t value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

std::string IntToStr(std::int64_t value) {
    return std::to_string(value);
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
