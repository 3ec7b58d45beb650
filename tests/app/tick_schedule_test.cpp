// The playback timer's schedule on a virtual clock: late wake-ups, interval changes, stopping.

#include "base/tick_schedule.h"

#include <gtest/gtest.h>

#include <random>

namespace lutavo {
namespace {

// Takes every tick due at nowMs, as the timer does when it wakes; returns how many it took.
long long takeDue(TickSchedule& s, long long nowMs) {
    const long long due = s.ticksDue(nowMs);
    for (long long i = 0; i < due; ++i)
        s.take();
    return due;
}

TEST(TickSchedule, FirstTickIsDueOneIntervalAfterTheStart) {
    TickSchedule s;
    EXPECT_FALSE(s.running());
    EXPECT_EQ(s.ticksDue(1000), 0);
    s.start(1000, 36);
    EXPECT_TRUE(s.running());
    EXPECT_EQ(s.interval(), 36);
    // {now, ticks due, delay to the next}
    for (const auto& [now, due, delay] : {std::array{1000, 0, 36}, {1035, 0, 1}, {1036, 1, 0}}) {
        EXPECT_EQ(s.ticksDue(now), due) << now;
        EXPECT_EQ(s.delayToNext(now), delay) << now;
    }
    s.take();
    EXPECT_EQ(s.ticksDue(1036), 0);
    EXPECT_EQ(s.delayToNext(1036), 36);
}

TEST(TickSchedule, LateWakeUpCatchesUpOnTheGridAndAnIntervalChangeRestarts) {
    TickSchedule s;
    s.start(0, 22);
    // Woken 3.5 intervals late: the three missed ticks and the current one are all due, and the
    // next tick is still on the original grid; a slightly late tick shortens the next wait.
    EXPECT_EQ(takeDue(s, 22 + 77), 4);
    EXPECT_EQ(s.delayToNext(99), 110 - 99);
    EXPECT_EQ(takeDue(s, 113), 1);
    EXPECT_EQ(s.delayToNext(113), 132 - 113);

    s.start(370, 36);  // a new interval counts from the current time
    EXPECT_EQ(s.interval(), 36);
    EXPECT_EQ(s.ticksDue(405), 0);
    EXPECT_EQ(takeDue(s, 406), 1);
    EXPECT_EQ(takeDue(s, 480), 2);
}

TEST(TickSchedule, StoppedScheduleHasNothingDueAndStartsAfresh) {
    TickSchedule s;
    s.start(0, 30);
    EXPECT_EQ(takeDue(s, 95), 3);
    s.stop();
    EXPECT_FALSE(s.running());
    EXPECT_EQ(s.ticksDue(10000), 0);
    s.take();  // nothing to take while stopped
    s.start(10000, 30);
    EXPECT_EQ(s.ticksDue(10029), 0);
    EXPECT_EQ(takeDue(s, 10030), 1);
    s.start(20000, 0);  // an interval of 0 never fires, as a window timer with no interval
    EXPECT_FALSE(s.running());
    EXPECT_EQ(s.ticksDue(99999), 0);
}

TEST(TickSchedule, NoDriftOverTenThousandJitteredTicks) {
    TickSchedule s;
    const long long start = 5000, interval = 22;
    s.start(start, interval);
    std::mt19937 rng(7);
    // Wake-ups are late by up to 15 ms, now and then by several intervals.
    std::uniform_int_distribution<int> jitter(0, 15), stall(0, 99);
    long long now = start, taken = 0;
    while (taken < 10000) {
        now += s.delayToNext(now) + jitter(rng) + (stall(rng) == 0 ? 3 * interval : 0);
        const long long due = takeDue(s, now);
        ASSERT_GE(due, 1);
        taken += due;
        const long long lastTickDue = start + taken * interval;
        ASSERT_TRUE(lastTickDue <= now && lastTickDue + interval > now);  // none left behind
    }
    // However late single wake-ups were, the count of ticks matches the clock exactly.
    EXPECT_EQ(taken, (now - start) / interval);
}

}  // namespace
}  // namespace lutavo
