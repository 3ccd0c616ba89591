#pragma once

#include <string>
#include <string_view>

// Accelerator characters: "&" before a character in a caption marks it ("&&" is a plain "&").
namespace Accelerators {

// The marked character of the caption (0 when there is none).
char32_t AccelChar(std::string_view caption);
// Whether ch is the caption's accelerator (letter case ignored).
bool IsAccel(char32_t ch, std::string_view caption);

} // namespace Accelerators
