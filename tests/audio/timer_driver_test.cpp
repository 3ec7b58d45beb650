// SPDX-License-Identifier: GPL-3.0-or-later
// The playback timer's driver on the real event loop: it keeps its ticks on their grid however
// late the window thread runs them, and stamps their sounds with that grid.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

#include "audio/event_loop.h"
#include "platform/sound_clock.h"
#include "services/qt/timer_driver.h"

namespace lutavo {
namespace {

using test::eventsUntil;

TEST(TimerDriver, TicksUntilTheModelStopsAndATickThatLetsEventsThroughIsNotEnteredAgain) {
    TimerModel model{true, 1};
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    TimerDriver driver(model, [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (++ticks == 3) model.enabled = false;
        // As printing does while it shows each page.
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
        --depth;
    });
    driver.sync();
    EXPECT_EQ(driver.runningInterval(), 1);
    // The third tick stops its own timer, as the playback engine does at the song's end.
    EXPECT_TRUE(eventsUntil([&] { return !driver.running(); }));
    EXPECT_EQ(std::pair(ticks, deepest), std::pair(3, 1));
}

// The sounds of a tick are stamped with its due time: however late the window thread runs it,
// they are heard on the song's grid. A new pace times the ticks after it; anything asked for
// outside a tick (a click on the neck) is stamped now.
TEST(TimerDriver, StampsEachTickWithItsDueTimeHoweverLateItRuns) {
    TimerModel model{true, 4};
    SoundClock clock;
    std::vector<std::int64_t> stamps;
    TimerDriver driver(
        model,
        [&] {
            stamps.push_back(clock.nowNs());
            // The window thread held up for seven ticks.
            while (stamps.size() == 1 && steadyNowNs() - stamps[0] < 30'000'000) {
            }
            if (stamps.size() == 12) model.interval = 9;
            if (stamps.size() == 16) model.enabled = false;
        },
        TimerAccuracy::Precise, &clock);
    driver.sync();
    ASSERT_TRUE(eventsUntil([&] { return !driver.running(); }));
    ASSERT_EQ(stamps.size(), 16u);
    for (std::size_t i = 1; i < stamps.size(); ++i) {
        if (i == 12) continue;  // the new pace starts from the moment it was set
        EXPECT_EQ(stamps[i] - stamps[i - 1], (i < 12 ? 4 : 9) * 1'000'000) << "tick " << i;
    }
    EXPECT_FALSE(clock.inTick());
    EXPECT_LT(std::abs(clock.nowNs() - steadyNowNs()), 1'000'000);
}

}  // namespace
}  // namespace lutavo
