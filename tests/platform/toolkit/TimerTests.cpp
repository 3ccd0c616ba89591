#include <vector>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/TTimer.h"

namespace {

class TimerTest : public ToolkitTest {
protected:
};

TEST_F(TimerTest, TicksEveryIntervalOnTheVirtualClock) {
    auto* timer = new TTimer(Application);
    std::vector<std::uint64_t> ticks;
    timer->SetInterval(100);
    timer->SetOnTimer([&](TObject*) { ticks.push_back(Backend().NowMs()); });
    RunUntil(1350);
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{1100, 1200, 1300}));
}

TEST_F(TimerTest, DueTimersRunInDeadlineOrder) {
    std::vector<int> order;
    auto* slow = new TTimer(Application);
    slow->SetInterval(30);
    slow->SetOnTimer([&](TObject*) { order.push_back(30); });
    auto* fast = new TTimer(Application);
    fast->SetInterval(20);
    fast->SetOnTimer([&](TObject*) { order.push_back(20); });
    RunUntil(1060);
    EXPECT_EQ(order, (std::vector<int>{20, 30, 20, 30, 20}));
}

TEST_F(TimerTest, StoppingFromInsideItsTickEndsTheTicks) {
    auto* timer = new TTimer(Application);
    int ticks = 0;
    timer->SetInterval(10);
    timer->SetOnTimer([&](TObject*) {
        if (++ticks == 2) timer->SetEnabled(false);
    });
    RunUntil(1100);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(timer->IsRunning());
}

TEST_F(TimerTest, FreeingFromInsideItsTickIsSafe) {
    auto* timer = new TTimer(Application);
    int ticks = 0;
    timer->SetInterval(10);
    timer->SetOnTimer([&](TObject* sender) {
        ++ticks;
        delete static_cast<TTimer*>(sender);
    });
    RunUntil(1100);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(Application->ComponentCount(), 0);
    EXPECT_FALSE(Application->NextTimerDue().has_value());
}

TEST_F(TimerTest, ChangingTheIntervalInsideATickRestartsFromNow) {
    auto* timer = new TTimer(Application);
    std::vector<std::uint64_t> ticks;
    timer->SetInterval(400);
    timer->SetOnTimer([&](TObject*) {
        ticks.push_back(Backend().NowMs());
        timer->SetInterval(100);
    });
    RunUntil(1650);
    EXPECT_EQ(ticks, (std::vector<std::uint64_t>{1400, 1500, 1600}));
}

TEST_F(TimerTest, DisabledOrHandlerlessTimerDoesNotRun) {
    auto* timer = new TTimer(Application);
    timer->SetInterval(10);
    EXPECT_FALSE(timer->IsRunning());
    timer->SetEnabled(false);
    timer->SetOnTimer([](TObject*) {});
    EXPECT_FALSE(timer->IsRunning());
    timer->SetEnabled(true);
    EXPECT_TRUE(timer->IsRunning());
}

TEST_F(TimerTest, IdleLoopWaitsForTheNextTimerWithItsDeadline) {
    auto* timer = new TTimer(Application);
    timer->SetInterval(250);
    timer->SetOnTimer([](TObject*) {});
    ClockTarget = 5000;
    int waitsBefore = Waits;
    Application->HandleMessage();
    Application->HandleMessage();
    EXPECT_EQ(Waits, waitsBefore + 1);
    EXPECT_EQ(Backend().NowMs(), 1250u);
}

TEST_F(TimerTest, WindowTimersSendWmTimerToTheWindow) {
    TForm* form = MakeForm();
    std::vector<TWParam> ids;
    TWndMethod old = form->WindowProc();
    form->SetWindowProc([&, old](TMessage& m) {
        if (m.Msg == WM_TIMER) ids.push_back(m.WParam);
        old(m);
    });
    Application->SetTimer(form->Handle(), 7, 50);
    RunUntil(1120);
    Application->KillTimer(form->Handle(), 7);
    RunUntil(1300);
    EXPECT_EQ(ids, (std::vector<TWParam>{7, 7}));
}

} // namespace
