#include "app/TApplicationWaitClock.h"

#include "platform/toolkit/TApplication.h"

std::uint64_t TApplicationWaitClock::NowMs() const {
    return Application ? Application->Backend().NowMs() : TWaitClock::NowMs();
}

void TApplicationWaitClock::Sleep(unsigned ms) const {
    if (Application)
        Application->Sleep(ms);
    else
        TWaitClock::Sleep(ms);
}

const TApplicationWaitClock& TApplicationWaitClock::Instance() {
    static const TApplicationWaitClock clock;
    return clock;
}
