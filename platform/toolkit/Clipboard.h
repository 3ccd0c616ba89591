#pragma once

#include <string>

// The clipboard the edit controls cut to, copy to and paste from. It lives inside the
// process: text copied here is not offered to other programs. This is its one place.
namespace Clipboard {

bool HasText();
// UTF-8 text.
const std::string& Text();
void SetText(std::string text);
void Clear();

} // namespace Clipboard
