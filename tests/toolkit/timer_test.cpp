#include "timer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "control_host.h"
#include "window_procedure.h"

namespace ZelmivoTests {
namespace {

using OrvoUtility::Timer;

int tickCount = 0;
Timer* tickSender = nullptr;
int ticksWanted = 0;
bool gaveUp = false;

// Counts ticks; after the wanted number it stops the timer and ends the loop.
void CountTick(Timer* timer) {
    ++tickCount;
    tickSender = timer;
    if (tickCount < ticksWanted) return;
    timer->Stop();
    PostQuitMessage(0);
}

// Only a guard against waiting for ever when no tick comes.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    gaveUp = true;
    PostQuitMessage(0);
}

class TimerTest : public ControlHost {
protected:
    void RunUntilTicks(int wanted) {
        tickCount = 0;
        tickSender = nullptr;
        ticksWanted = wanted;
        gaveUp = false;
        UINT_PTR guard = SetTimer(nullptr, 0, 60000, GiveUp);
        OrvoUtility::RunMessageLoop();
        KillTimer(nullptr, guard);
    }
};

TEST_F(TimerTest, IsAHiddenWindowWithAnIdOfItsOwn) {
    Timer* timer = Add<Timer>(form.get(), 500);
    EXPECT_EQ(timer->interval, 500);
    EXPECT_EQ(timer->text, L"timer");
    EXPECT_EQ(timer->kind, "timer");
    timer->Create();
    ASSERT_NE(timer->hwnd, nullptr);
    EXPECT_EQ(GetWindowLongW(timer->hwnd, GWL_STYLE), 0x40000000);
    EXPECT_FALSE(IsWindowVisible(timer->hwnd));
    Timer* disabled = Add<Timer>(form.get(), 500);
    disabled->enabled = false;
    disabled->Create();
    EXPECT_EQ(GetWindowLongW(disabled->hwnd, GWL_STYLE), 0x48000000);
    EXPECT_NE(timer->id, disabled->id);
}

TEST_F(TimerTest, TicksComeThroughTheMessageLoop) {
    Timer* timer = Add<Timer>(form.get(), 10);
    timer->onTick = CountTick;
    timer->Start();
    EXPECT_TRUE(timer->created) << "starting creates the window";
    EXPECT_TRUE(timer->running);
    RunUntilTicks(3);
    EXPECT_FALSE(gaveUp);
    EXPECT_EQ(tickCount, 3);
    EXPECT_EQ(tickSender, timer);
    EXPECT_FALSE(timer->running);
    EXPECT_FALSE(KillTimer(form->hwnd, static_cast<UINT_PTR>(timer->id)))
        << "the timer is gone after Stop";
}

TEST_F(TimerTest, StartingTwiceKeepsTheFirstTimer) {
    Timer* timer = Add<Timer>(form.get(), 10);
    timer->onTick = CountTick;
    timer->Start();
    std::int32_t firstId = timer->id;
    // Had the second start set the timer again, the first tick would be an hour away.
    timer->interval = 3600000;
    timer->Start();
    EXPECT_EQ(timer->id, firstId);
    RunUntilTicks(1);
    EXPECT_FALSE(gaveUp);
    EXPECT_EQ(tickCount, 1);
}

TEST_F(TimerTest, StoppingTwiceIsHarmless) {
    Timer* timer = Add<Timer>(form.get(), 10);
    timer->Stop();
    EXPECT_FALSE(timer->running);
    EXPECT_FALSE(timer->created) << "stopping a timer that never ran does nothing";
    timer->Start();
    timer->Stop();
    timer->Stop();
    EXPECT_FALSE(timer->running);
    EXPECT_FALSE(KillTimer(form->hwnd, static_cast<UINT_PTR>(timer->id)));

    // Restarting after a stop ticks again.
    timer->onTick = CountTick;
    timer->Start();
    RunUntilTicks(1);
    EXPECT_FALSE(gaveUp);
    EXPECT_EQ(tickCount, 1);
}

TEST_F(TimerTest, WithoutAParentWindowNothingRuns) {
    Timer* orphan = Add<Timer>(nullptr, 10);
    orphan->Start();
    EXPECT_FALSE(orphan->running);
    orphan->Stop();
    EXPECT_FALSE(orphan->running);
}

}  // namespace
}  // namespace ZelmivoTests
