#pragma once

#include <cstdint>

// The headless backend's clock. It starts at zero and moves only when the script (or a
// test) advances it; nothing ever waits on the wall clock.
class TVirtualClock {
public:
    std::uint64_t NowMs() const { return m_nowMs; }
    // Moves the clock forward to the given time; an earlier time leaves it where it is.
    void AdvanceTo(std::uint64_t ms) {
        if (ms > m_nowMs) m_nowMs = ms;
    }
    void AdvanceBy(std::uint64_t ms) { AdvanceTo(m_nowMs + ms); }

private:
    std::uint64_t m_nowMs = 0;
};
