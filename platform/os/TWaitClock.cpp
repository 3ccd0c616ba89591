#include "platform/os/TWaitClock.h"

#include <chrono>
#include <thread>

std::uint64_t TWaitClock::NowMs() const {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void TWaitClock::Sleep(unsigned ms) const {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

const TWaitClock& TWaitClock::System() {
    static const TWaitClock clock;
    return clock;
}
