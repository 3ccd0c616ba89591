// A lock held by another open file is waited for only as long as asked, on the given clock.
#include "platform/os/TFileLock.h"
#include "platform/os/OsTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A clock that moves only when slept on; onSleep sees the time after each nap.
class TFakeClock : public TWaitClock {
public:
    std::uint64_t NowMs() const override { return Now; }
    void Sleep(unsigned ms) const override {
        Now += ms;
        ++Naps;
        if (OnSleep) OnSleep(Now);
    }
    mutable std::uint64_t Now = 1000;
    mutable int Naps = 0;
    std::function<void(std::uint64_t)> OnSleep;
};

// A clock that never moves, however long it is slept on.
class TStoppedClock : public TWaitClock {
public:
    std::uint64_t NowMs() const override { return 5; }
    void Sleep(unsigned) const override { ++Naps; }
    mutable int Naps = 0;
};

// A blocking wait would end the test binary here instead of holding the run for ever.
class NoHang {
public:
    NoHang() { ::alarm(20); }
    ~NoHang() { ::alarm(0); }
};

// A lock on a file of a fresh folder, held by another open file.
struct HeldFileLock : ::testing::Test {
    void SetUp() override { ASSERT_EQ(Holder.Lock(Path), TLockResult::Acquired); }
    NoHang Guard;
    TTempFolder Folder;
    std::string Path = Folder / "a.lock";
    TFileLock Holder;
};

} // namespace

TEST(FileLock, FreeLockIsTakenWithoutWaiting) {
    TTempFolder folder;
    TFakeClock clock;
    TFileLock lock;
    EXPECT_EQ(lock.Lock(folder / "a.lock", 3000, clock), TLockResult::Acquired);
    EXPECT_TRUE(lock.IsLocked());
    EXPECT_EQ(clock.Naps, 0);
}

TEST_F(HeldFileLock, IsBusyOnceTheWaitIsOver) {
    TFakeClock clock;
    TFileLock lock;
    EXPECT_EQ(lock.Lock(Path, 250, clock), TLockResult::Busy);
    EXPECT_FALSE(lock.IsLocked());
    EXPECT_EQ(clock.Now - 1000, 250u);
    EXPECT_EQ(clock.Naps, int((250 + TFileLock::RetryMs - 1) / TFileLock::RetryMs));
}

TEST_F(HeldFileLock, WithoutWaitIsBusyAtOnce) {
    TFakeClock clock;
    TFileLock lock;
    EXPECT_EQ(lock.Lock(Path, 0, clock), TLockResult::Busy);
    EXPECT_EQ(clock.Naps, 0);
}

TEST_F(HeldFileLock, FreedDuringTheWaitIsTaken) {
    TFakeClock clock;
    clock.OnSleep = [&](std::uint64_t now) {
        if (now >= 1400) Holder.Unlock();
    };
    TFileLock lock;
    EXPECT_EQ(lock.Lock(Path, 3000, clock), TLockResult::Acquired);
    EXPECT_EQ(clock.Now, 1400u);
    EXPECT_EQ(lock.Error(), 0);
}

TEST_F(HeldFileLock, WaitEndsEvenOnAClockThatDoesNotMove) {
    TStoppedClock clock;
    TFileLock lock;
    EXPECT_EQ(lock.Lock(Path, 100, clock), TLockResult::Busy);
    EXPECT_LE(clock.Naps, int(100 / TFileLock::RetryMs) + 1);
}
