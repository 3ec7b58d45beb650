// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the window layout and the small pieces everything rests on: numbers, items of a
// file, the playback timer's schedule on a virtual clock.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <utility>
#include <vector>

#include "app/lesson_frames.h"
#include "app/mode_bar.h"
#include "app/startup.h"
#include "app/window_zoom.h"
#include "base/item_reader.h"
#include "base/numbers.h"
#include "base/tick_schedule.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "fakes/test_rig.h"

namespace lutavo {
namespace {

TEST(Numbers, RoundHalfEvenSixteenBitClampAndNumberPrefix) {
    const std::pair<double, int> rounded[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}};
    for (const auto& [x, n] : rounded)
        EXPECT_EQ(roundHalfEven(x), n) << x;
    EXPECT_EQ(toInt16(40000), 32767);
    EXPECT_EQ(toInt16(-40000), -32768);
    const std::pair<const char*, int> prefixes[] = {
        {" 12abc", 12}, {"-7.5", -8}, {"abc", 0}, {"1 2", 12}, {"99999999999", 32767}};
    for (const auto& [text, n] : prefixes)
        EXPECT_EQ(numberPrefix(text), n) << text;
}

TEST(Startup, SecondCopyIsRefusedBeforeTouchingAnything) {
    test::Rig rig;
    rig.lock.anotherCopyRunning = true;
    EXPECT_FALSE(startup(rig.g(), {test::dataFolder(), "", ""}, rig.lock));
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].caption + ": " + rig.dialogs.messages[0].text,
              "Lutavo: This program is already running");
    EXPECT_TRUE(rig.wave.played.empty());
}

// A folder, a song to open or a missing path on the command line; the neck still comes from us.
TEST(Startup, CommandLineFolderSongOrMissingPath) {
    test::TempDir dir;
    const std::string song =
        dir.write("My Song.SNG", test::readFile(test::dataFolder() + "songs/minuet_in_g.SNG"));
    const std::string app = test::dataFolder(), intro = "Welcome to Lutavo";
    for (const auto& [arg, folder, title, said] :
         {std::array<std::string, 4>{dir.path(), dir.path(), intro, ""},
          {song, dir.path(), "Minuet in G", ""},
          {"/no/x.SNG", app, intro, "file not found\n/no/x.SNG"},
          {"/no/songs", app, intro, "folder not found\n/no/songs"},
          {"/dev/zero", app, intro, "not a regular file\n/dev/zero"}}) {
        test::Rig rig;
        Guitar& g = rig.g();
        ASSERT_TRUE(startup(g, {app, arg, ""}, rig.lock));
        // Nothing of the program's own is looked for in the path.
        EXPECT_EQ(
            test::join(g.app.dataFolder, g.app.appFolder, g.song.songTitle, rig.dialogs.said(),
                       g.ui.fretboard.file.rfind(app, 0), g.ui.opttxt[kModeBarSongs].color),
            test::join(folder, app, title, said, 0, arg == song ? kColorActive : kColorAvailable));
    }
}

// Every item with the line it starts on.
std::vector<std::pair<std::string, int>> allItems(const std::string& text) {
    ItemReader r(text);
    std::vector<std::pair<std::string, int>> out;
    while (auto item = r.next())
        out.emplace_back(*item, r.line());
    return out;
}

TEST(ItemReader, CommasLineEndsBlanksAndQuotes) {
    using Items = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(allItems("\"title=Rock, Paper\"\r\nx"), (Items{{"title=Rock, Paper", 1}, {"x", 2}}));
    EXPECT_EQ(allItems("\"unclosed, quote"), (Items{{"unclosed, quote", 1}}));
    EXPECT_EQ(allItems("a,b\r\n  c\n\"d\ne\"\rf\r\n\r\ng"),
              (Items{{"a", 1}, {"b", 1}, {"c", 2}, {"d\ne", 3}, {"f", 5}, {"", 6}, {"g", 7}}));
}

// Takes every tick due at nowMs, as the timer does when it wakes; returns how many it took.
long long takeDue(TickSchedule& s, long long nowMs) {
    const long long due = s.ticksDue(nowMs);
    for (long long i = 0; i < due; ++i)
        s.take();
    return due;
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
    // A new tempo starts the count afresh: the ticks' sounds are stamped at the new pace.
    s.start(10037, 50);
    EXPECT_EQ(takeDue(s, 10140), 2);
    EXPECT_EQ(s.takenDueTime(), 10137);
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
        // The last tick's sounds keep its ideal time, however late it was run.
        ASSERT_EQ(s.takenDueTime(), lastTickDue);
    }
    // However late single wake-ups were, the count of ticks matches the clock exactly.
    EXPECT_EQ(taken, (now - start) / interval);
}

// A zoom read from the file falls back to the largest step whose window fits the screen, a step
// that would not fit is not taken, and a lesson's taller window lowers the zoom for its time.
TEST(Zoom, TheWindowNeverLeavesTheScreen) {
    test::Rig rig;
    test::TempDir dir;
    Guitar& g = rig.g();
    g.ui.form.screenWidth = 1000;  // 150% (986 x 680) fits, 200% (1315 x 906) does not
    g.ui.form.screenHeight = 700;
    ASSERT_TRUE(startup(g, {test::dataFolder(), "", dir.write("z.cfg", "lutavo\r\nzoom=300\r\n")},
                        rig.lock));
    zoomWindow(g, 1);
    const int zoom = g.ui.form.zoomPercent;
    loadlesson(g, test::dataFolder() + "lessons/lesson1.LSN");  // 768 pixels high at 150%
    EXPECT_EQ(test::join(zoom, g.ui.form.zoomPercent, g.config.zoomPercent),
              test::join(150, 100, 300));
    closeCurrentMode(g);
    EXPECT_EQ(g.ui.form.zoomPercent, 150);
}

}  // namespace
}  // namespace lutavo
