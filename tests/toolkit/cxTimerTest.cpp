#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "Threads.h"
#include "cxWindowHelpers.h"

#include "WindowTesting.h"
#include "cxMessageWindow.h"
#include "cxTimer.h"

namespace {

struct TTickCounter : TObject {
    int ticks = 0;
    TcxTimer* freeOnTick = nullptr;  // freed from inside its own tick
    void Tick(TObject* sender) {
        ++ticks;
        if (sender == freeOnTick) {
            freeOnTick = nullptr;
            delete static_cast<TcxTimer*>(sender);
        }
    }
};

TEST(cxTimerTest, SeveralTimersShareOneWindowAndOneMayFreeItselfWhileTicking) {
    TTickCounter fast, slow, selfFreeing;
    auto* a = new TcxTimer(nullptr);
    auto* b = new TcxTimer(nullptr);
    auto* c = new TcxTimer(nullptr);
    a->SetInterval(10);
    b->SetInterval(30);
    c->SetInterval(10);
    selfFreeing.freeOnTick = c;
    a->SetOnTimer(MakeEvent(&fast, &TTickCounter::Tick));
    b->SetOnTimer(MakeEvent(&slow, &TTickCounter::Tick));
    c->SetOnTimer(MakeEvent(&selfFreeing, &TTickCounter::Tick));
    ASSERT_TRUE(a->IsRunning() && b->IsRunning() && c->IsRunning());
    ASSERT_NE(GetTimerWindow(), nullptr);

    EXPECT_TRUE(PumpUntil([&] { return fast.ticks >= 5 && slow.ticks >= 2; }));
    EXPECT_EQ(selfFreeing.ticks, 1);  // freed on its first tick, never called again
    EXPECT_GT(fast.ticks, slow.ticks);
    delete a;
    delete b;
}

TEST(cxTimerTest, RunsOnlyWhenEnabledWithHandlerAndIgnoresZeroInterval) {
    TTickCounter counter;
    TcxTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.IsRunning());  // no handler yet

    timer.SetInterval(0);
    EXPECT_EQ(timer.Interval(), 1000u);
    timer.SetInterval(10);
    EXPECT_FALSE(timer.IsRunning());

    timer.SetOnTimer(MakeEvent(&counter, &TTickCounter::Tick));
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_TRUE(PumpUntil([&] { return counter.ticks >= 2; }));

    timer.SetEnabled(false);
    EXPECT_FALSE(timer.IsRunning());
    int ticks = counter.ticks;
    EXPECT_TRUE(PumpForTicks(10, 6));
    EXPECT_EQ(counter.ticks, ticks);

    timer.SetOnTimer(TNotifyEvent());
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.IsRunning());
}

TEST(cxTimerTest, TimerMessageForAStoppedTimerIsIgnored) {
    TTickCounter counter;
    TcxTimer timer(nullptr);
    timer.SetOnTimer(MakeEvent(&counter, &TTickCounter::Tick));
    HWND window = GetTimerWindow()->Handle();
    SendMessageW(window, WM_TIMER, timer.EventID(), 0);
    EXPECT_EQ(counter.ticks, 1);

    timer.SetEnabled(false);
    SendMessageW(window, WM_TIMER, timer.EventID(), 0);
    SendMessageW(window, WM_TIMER, 12345, 0);  // an id no timer has
    EXPECT_EQ(counter.ticks, 1);
}

TEST(cxMessageWindowTest, SharedWindowsAreHiddenAndLive) {
    TcxMessageWindow* window = GetMessageWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetMessageWindow(), window);
    EXPECT_TRUE(IsWindow(window->Handle()));
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
    ASSERT_NE(SystemController(), nullptr);
    EXPECT_TRUE(IsWindow(SystemController()->Handle()));
    EXPECT_NE(SystemController()->Handle(), window->Handle());
    // An unknown message goes to the default window procedure.
    EXPECT_EQ(SendMessageW(window->Handle(), WM_USER + 77, 0, 0), 0);
}

TEST(cxMessageWindowTest, SystemControllerRunsQueuedCrossThreadCalls) {
    bool ran = false;
    std::thread worker([&] { TThread::Queue(nullptr, [&] { ran = true; }); });
    worker.join();
    SendMessageW(SystemController()->Handle(), CM_RUNSYNCHRONIZE, 0, 0);
    EXPECT_TRUE(ran);
}

}  // namespace
