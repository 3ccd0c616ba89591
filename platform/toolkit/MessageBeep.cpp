#include "platform/toolkit/MessageBeep.h"

#include "platform/toolkit/TApplication.h"

namespace {
std::uint64_t& Count() {
    static std::uint64_t count = 0;
    return count;
}
} // namespace

void MessageBeep() {
    ++Count();
    if (Application && Application->HasBackend()) Application->Backend().Beep();
}

std::uint64_t MessageBeepCount() {
    return Count();
}
