#pragma once

#include <cstdint>

// The clock a bounded wait reads and passes its time on. System() is the steady clock of the
// machine; a program whose time is virtual (the headless backend) passes a clock that follows
// it, so that a wait costs virtual time only.
class TWaitClock {
public:
    virtual ~TWaitClock() = default;
    virtual std::uint64_t NowMs() const;
    virtual void Sleep(unsigned ms) const;

    static const TWaitClock& System();
};
