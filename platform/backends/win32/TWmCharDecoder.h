#pragma once

#include <optional>
#include <string>

// Turns the UTF-16 units of WM_CHAR into the toolkit's Text: UTF-8 of printable characters
// only. A character beyond the basic plane arrives as two messages, a high and then a low
// surrogate; the pair makes one character. Control characters (Enter, Escape, Tab,
// Backspace, Ctrl combinations, Delete and the C1 range) are left to the key events, and a
// surrogate without its partner is dropped.
class TWmCharDecoder {
public:
    // The text of this unit, or nothing when it is not (yet) a printable character.
    std::optional<std::string> Take(char16_t unit);

    static bool IsPrintable(char32_t c);

private:
    char16_t m_highSurrogate = 0;
};
