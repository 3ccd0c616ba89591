#include "platform/toolkit/MessageBeep.h"

namespace {
std::uint64_t& Count() {
    static std::uint64_t count = 0;
    return count;
}
std::function<void()>& Hook() {
    static std::function<void()> hook;
    return hook;
}
} // namespace

void MessageBeep() {
    ++Count();
    if (Hook()) Hook()();
}

std::uint64_t MessageBeepCount() {
    return Count();
}

void SetMessageBeepHook(std::function<void()> hook) {
    Hook() = std::move(hook);
}
