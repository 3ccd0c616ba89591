#pragma once

#include "platform/os/TWaitClock.h"

// The clock of the running application's backend, for the program's bounded waits: a headless
// run waits in its virtual time, a windowed one in real time. Without an application it is
// the system's clock.
class TApplicationWaitClock : public TWaitClock {
public:
    std::uint64_t NowMs() const override;
    void Sleep(unsigned ms) const override;

    static const TApplicationWaitClock& Instance();
};
