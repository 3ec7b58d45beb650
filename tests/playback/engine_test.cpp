// The playback timer's tick on a virtual clock: lead-in, metronome, stepping, end and repeats.

#include <gtest/gtest.h>

#include "fakes/midi_messages.h"
#include "fakes/playback_rig.h"
#include "playback/transport.h"

namespace lutavo::test {
namespace {

constexpr int kInterval = 36;  // tempo step 8

class Engine : public ::testing::Test {
  protected:
    Rig rig;
    Guitar& g = playbackReady(rig);
    TempDir folder;

    void SetUp() override {
        g.app.appFolder = folder.path();
        folder.write(g.song.tickSound, "RIFF");
        g.ntimer.interval = kInterval;
    }

    // Virtual times (ms) of the note-ons sent so far.
    std::vector<long> noteOnTimes() const {
        std::vector<long> out;
        for (const auto& m : rig.midi.sent) {
            if (!msg::noteOns({m.message}).empty()) out.push_back(m.timeMs);
        }
        return out;
    }

    std::vector<int> noteOnNotes() const {
        std::vector<int> out;
        for (auto m : msg::noteOns(rig.midi.messages()))
            out.push_back(msg::noteOf(m));
        return out;
    }

    // Time of the first sending of message m, -1 when never sent.
    long timeOf(std::uint32_t m) const {
        for (const auto& s : rig.midi.sent) {
            if (s.message == m) return s.timeMs;
        }
        return -1;
    }

    // Runs one tick at a time, recording the clock whenever a click is played.
    std::vector<long> clickTimesOver(int ticks) {
        std::vector<long> out;
        for (int i = 0; i < ticks && g.ntimer.enabled; ++i) {
            const auto before = rig.wave.played.size();
            runTicks(rig, 1);
            if (rig.wave.played.size() > before) out.push_back(rig.midi.now);
        }
        return out;
    }
};

TEST_F(Engine, WithoutLeadInTheFirstNoteSoundsOnTheFirstTick) {
    buildSong(g, {single(16, 1, 0), single(16, 1, 2)});
    playbtn_Click(g, kPlay);
    EXPECT_TRUE(g.ntimer.enabled);
    EXPECT_FALSE(g.gtimer.enabled);
    runTicks(rig, 1);
    EXPECT_EQ(noteOnTimes(), (std::vector<long>{kInterval}));
    runTicks(rig, 16);
    EXPECT_EQ(noteOnTimes(), (std::vector<long>{kInterval, 17 * kInterval}));
}

TEST_F(Engine, LeadInOfTwoWithoutMetronomeClicksTwiceOneBeatApartThenPlays) {
    g.config.defaultLeadIn = 2;
    buildSong(g, {single(16, 1, 0)});
    playbtn_Click(g, kPlay);
    const auto clicks = clickTimesOver(40);
    EXPECT_EQ(clicks, (std::vector<long>{kInterval, 17 * kInterval}));
    ASSERT_FALSE(noteOnTimes().empty());
    EXPECT_EQ(noteOnTimes().front(), 33 * kInterval);
    EXPECT_EQ(rig.wave.played.front(), folder.path() + "tick.wav");
}

TEST_F(Engine, LeadInPointerWalksTheAdjusterAndReturns) {
    g.config.defaultLeadIn = 2;
    buildSong(g, {single(16, 1, 0)});
    playbtn_Click(g, kPlay);
    runTicks(rig, 1);
    EXPECT_EQ(g.ui.lpointer.at.left, 8 * 300 - 140);  // slot 10 - 2
    runTicks(rig, 16);
    EXPECT_EQ(g.ui.lpointer.at.left, 9 * 300 - 140);
    runTicks(rig, 16);
    EXPECT_EQ(g.ui.lpointer.at.left, 7 * 300 - 140);  // back to slot 9 - 2
}

TEST_F(Engine, LeadInWithTheMetronomeOnAddsNoClickOfItsOwn) {
    g.config.defaultLeadIn = 2;
    g.song.metroOn = 1;
    buildSong(g, {single(64, 1, 0)});
    playbtn_Click(g, kPlay);
    const auto clicks = clickTimesOver(33);
    EXPECT_EQ(clicks, (std::vector<long>{kInterval, 17 * kInterval, 33 * kInterval}));
    EXPECT_EQ(noteOnTimes(), (std::vector<long>{33 * kInterval}));
}

TEST_F(Engine, WithoutLeadInTheMetronomeClicksWithTheFirstNote) {
    g.song.metroOn = 1;
    buildSong(g, {single(16, 1, 0), single(16, 1, 2)});
    playbtn_Click(g, kPlay);
    EXPECT_EQ(clickTimesOver(17), (std::vector<long>{kInterval, 17 * kInterval}));
    EXPECT_EQ(noteOnTimes(), (std::vector<long>{kInterval, 17 * kInterval}));
}

TEST_F(Engine, LampLightsOnTheBeatAndGoesDarkFourTicksLater) {
    buildSong(g, {single(64, 1, 0)});
    playbtn_Click(g, kPlay);
    std::vector<Color> lamp;
    for (int i = 0; i < 18; ++i) {
        runTicks(rig, 1);
        lamp.push_back(g.ui.mled.color);
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lamp[static_cast<std::size_t>(i)], kLampLit) << i;
    for (int i = 4; i < 16; ++i)
        EXPECT_EQ(lamp[static_cast<std::size_t>(i)], kLampDark) << i;
    EXPECT_EQ(lamp[16], kLampLit);
    EXPECT_TRUE(rig.wave.played.empty());  // the metronome is off
}

TEST_F(Engine, ShortBeatsRelightTheLampBeforeItGoesDark) {
    g.song.metroTicks = 3;
    buildSong(g, {single(64, 1, 0)});
    playbtn_Click(g, kPlay);
    for (int i = 0; i < 30; ++i) {
        runTicks(rig, 1);
        EXPECT_EQ(g.ui.mled.color, kLampLit) << i;
    }
}

TEST_F(Engine, TheLastNoteRunsItsFullLengthBeforeTheTimerStops) {
    buildSong(g, {single(16, 1, 0), single(8, 1, 3)});
    playbtn_Click(g, kPlay);
    const int ran = runTicks(rig, 100);
    EXPECT_EQ(ran, 1 + 16 + 8);
    EXPECT_FALSE(g.ntimer.enabled);
    EXPECT_TRUE(g.gtimer.enabled);
    EXPECT_EQ(g.song.curNote, g.song.noteCount + 2);
    // The last note ends exactly its 8 ticks after it began.
    EXPECT_EQ(timeOf(msg::noteOff(0, 43)), 25 * kInterval);
}

TEST_F(Engine, RepeatSongStartsAgainFromTheFirstNote) {
    buildSong(g, {single(16, 1, 0), single(8, 1, 3)});
    mnuRepeatSong_Click(g);
    playbtn_Click(g, kPlay);
    runTicks(rig, 1 + 16 + 8 + 1);
    EXPECT_TRUE(g.ntimer.enabled);
    EXPECT_EQ(noteOnNotes(), (std::vector<int>{40, 43, 40}));
    EXPECT_EQ(noteOnTimes().back(), 26 * kInterval);
}

TEST_F(Engine, RepeatLineFollowsTheLastNoteAfterExactlyItsLength) {
    buildSong(g, {single(16, 1, 0), single(16, 1, 1), pageEnd(), single(16, 1, 3), single(12, 1, 5),
                  pageEnd(), single(16, 1, 7)});
    g.song.curPage = 2;
    g.ui.pgScroll.value = 2;
    mnuRepeatLine_Click(g);
    ASSERT_EQ(g.playback.repeatStart, 4);
    ASSERT_EQ(g.song.noteCount, 5);
    g.song.curNote = 3;  // stopped at the start of the line
    playbtn_Click(g, kPlay);
    runTicks(rig, 1 + 16 + 12 + 16 + 1);
    EXPECT_EQ(noteOnNotes(), (std::vector<int>{43, 45, 43, 45}));
    const auto times = noteOnTimes();
    EXPECT_EQ(times[2] - times[1], 12 * kInterval);
    EXPECT_EQ(times[3] - times[2], 16 * kInterval);
}

TEST_F(Engine, BeatPhaseFollowsThePositionInTheLine) {
    buildSong(g, {single(8, 1, 0), single(12, 1, 1), single(16, 1, 3)});
    g.song.curNote = 3;
    playbtn_Click(g, kPlay);
    EXPECT_EQ(g.playback.beatTick, (8 + 12) % 16);
    EXPECT_EQ(g.playback.noteTicks, 12);
    runTicks(rig, 1);
    EXPECT_EQ(noteOnNotes(), (std::vector<int>{43}));
}

TEST_F(Engine, FastBackwardsAtTheRangeStartKeepsPresentingThatNote) {
    buildSong(g, {single(4, 1, 0), single(4, 1, 2), single(4, 1, 3)});
    g.song.curNote = 1;
    playbtn_MouseDown(g, kRew);
    EXPECT_EQ(g.ntimer.interval, 15);
    runTicks(rig, 20);
    EXPECT_EQ(g.song.curNote, 1);
    const auto notes = noteOnNotes();
    EXPECT_GE(notes.size(), 3u);
    for (int n : notes)
        EXPECT_EQ(n, 40);
    playbtn_MouseUp(g, kRew);
    EXPECT_FALSE(g.ntimer.enabled);
    EXPECT_EQ(g.playback.playMode, kPlayForward);
    EXPECT_EQ(g.ntimer.interval, kInterval);
    EXPECT_EQ(g.playback.windInterval, 8);
}

TEST_F(Engine, FastBackwardsSkipsSilentNotesAndTurnsPagesBack) {
    buildSong(g, {single(4, 1, 0), single(4, 1, 2), pageEnd(), single(4, 1, -1), single(4, 1, 7)});
    g.song.curPage = 2;
    g.ui.pgScroll.value = 2;
    g.song.curNote = 5;
    playbtn_MouseDown(g, kRew);
    runTicks(rig, 5);
    EXPECT_EQ(g.song.curNote, 2);
    EXPECT_EQ(g.ui.pgScroll.value, 1);
    EXPECT_EQ(g.song.curPage, 1);
    EXPECT_EQ(noteOnNotes().front(), 42);
}

}  // namespace
}  // namespace lutavo::test
