#include "platform/toolkit/MessageBeep.h"

namespace {
std::uint64_t& Count() {
    static std::uint64_t count = 0;
    return count;
}
} // namespace

void MessageBeep() {
    ++Count();
}

std::uint64_t MessageBeepCount() {
    return Count();
}
