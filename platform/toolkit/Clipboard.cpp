#include "platform/toolkit/Clipboard.h"

namespace Clipboard {
namespace {
std::string& Store() {
    static std::string text;
    return text;
}
bool& Filled() {
    static bool filled = false;
    return filled;
}
} // namespace

bool HasText() {
    return Filled();
}
const std::string& Text() {
    return Store();
}
void SetText(std::string text) {
    Store() = std::move(text);
    Filled() = true;
}
void Clear() {
    Store().clear();
    Filled() = false;
}

} // namespace Clipboard
