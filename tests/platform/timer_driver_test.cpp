// The precise playback timer on the real event loop: ticks a late wake-up missed are run at
// once, a tick that stops or re-times the timer is obeyed straight away, and a long stall is
// not caught up tick by tick.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/qt/timer_driver.h"
#include "platform_helpers.h"

namespace lutavo {
namespace {

using test::eventsUntil;

// Keeps the event loop from running, as a busy machine or a slow handler does.
void stall(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

TEST(PreciseTimer, RunsTheTicksALateWakeUpMissedInOneGo) {
    TimerModel model{true, 5};
    int ticks = 0;
    int ticksBeforeEvents = 0;
    bool eventsRan = false;
    TimerDriver driver(
        model,
        [&] {
            if (++ticks == 1) QTimer::singleShot(0, [&] { eventsRan = true; });
            if (!eventsRan) ticksBeforeEvents = ticks;
            if (ticks == 20) model.enabled = false;
        },
        TimerAccuracy::Precise);
    driver.sync();
    stall(40);  // eight intervals
    ASSERT_TRUE(eventsUntil([&] { return !driver.running(); }));
    // Every tick due at the first wake-up ran before anything else got a turn.
    EXPECT_GE(ticksBeforeEvents, 8);
    EXPECT_EQ(ticks, 20);
}

TEST(PreciseTimer, TickThatStopsTheTimerEndsTheCatchingUp) {
    TimerModel model{true, 2};
    int ticks = 0;
    TimerDriver driver(
        model, [&] { model.enabled = ++ticks < 2; }, TimerAccuracy::Precise);
    driver.sync();
    stall(30);  // fifteen ticks due, but the second one ends the song
    ASSERT_TRUE(eventsUntil([&] { return !driver.running(); }));
    EXPECT_EQ(ticks, 2);
    eventsUntil([] { return false; }, 30);
    EXPECT_EQ(ticks, 2);
}

TEST(PreciseTimer, TickThatRestartsTheTimerDropsTheOldOverdueTicks) {
    TimerModel model{true, 2};
    int ticks = 0;
    int ticksBeforeEvents = 0;
    bool eventsRan = false;
    TimerDriver* self = nullptr;
    TimerDriver driver(
        model,
        [&] {
            if (++ticks == 1) QTimer::singleShot(0, [&] { eventsRan = true; });
            if (!eventsRan) ticksBeforeEvents = ticks;
            if (ticks == 2) {
                // Stopped and started again within the tick, the view syncing after each step.
                model.enabled = false;
                self->sync();
                model.enabled = true;
                self->sync();
            }
            if (ticks == 5) model.enabled = false;
        },
        TimerAccuracy::Precise);
    self = &driver;
    driver.sync();
    stall(30);
    ASSERT_TRUE(eventsUntil([&] { return !driver.running(); }));
    EXPECT_EQ(ticksBeforeEvents, 2);
    EXPECT_EQ(ticks, 5);
}

TEST(PreciseTimer, TickThatChangesTheIntervalIsFollowedAtOnce) {
    TimerModel model{true, 2};
    int ticks = 0;
    TimerDriver driver(
        model,
        [&] {
            if (++ticks == 1) model.interval = 10000;
        },
        TimerAccuracy::Precise);
    driver.sync();
    stall(30);
    ASSERT_TRUE(eventsUntil([&] { return ticks > 0; }));
    eventsUntil([] { return false; }, 50);
    // The overdue ticks of the old pace are dropped with it; the new pace starts from now.
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(driver.running());
    EXPECT_EQ(driver.runningInterval(), 10000);
}

TEST(PreciseTimer, LongStallIsNotCaughtUpTickByTick) {
    TimerModel model{true, 1};
    QElapsedTimer clock;
    std::vector<qint64> tickNs;
    const int last = TimerDriver::kMaxCatchUp + 10;
    TimerDriver driver(
        model,
        [&] {
            tickNs.push_back(clock.nsecsElapsed());
            if (static_cast<int>(tickNs.size()) == last) model.enabled = false;
        },
        TimerAccuracy::Precise);
    clock.start();
    driver.sync();
    stall(300);  // far more ticks due than the catching up takes on
    ASSERT_TRUE(eventsUntil([&] { return !driver.running(); }));
    ASSERT_EQ(static_cast<int>(tickNs.size()), last);
    // The capped batch ran at once; the ten after it follow the fresh schedule at 1 ms each,
    // where catching up on everything would have run them all in the same instant.
    const qint64 afterBatchNs = tickNs.back() - tickNs[TimerDriver::kMaxCatchUp - 1];
    EXPECT_GE(afterBatchNs, 5'000'000);
}

}  // namespace
}  // namespace lutavo
