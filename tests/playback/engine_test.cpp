// SPDX-License-Identifier: GPL-3.0-or-later
// The playback timer's tick on a virtual clock: lead-in, metronome, stepping, end and repeats.

#include <algorithm>
#include <filesystem>

#include "playback/performer.h"
#include "playback/settings_adjuster.h"
#include "playback/transport.h"
#include "playback_fixture.h"
#include "practice/passage.h"

namespace lutavo::test {
namespace {

constexpr long kInterval = 36;  // tempo step 8

class Engine : public PlaybackTest {
  protected:
    TempDir folder;

    void SetUp() override {
        g.app.appFolder = folder.path();
        folder.write(g.song.tickSound, "RIFF");
        g.ntimer.interval = kInterval;
    }
    void play(const std::vector<NoteSpec>& song) {
        buildSong(g, song);
        playbtn_Click(g, kPlay);
    }
    // Runs one tick at a time, recording the clock whenever a click is played.
    Times clickTimesOver(int ticks) {
        Times out;
        for (int i = 0; i < ticks && g.ntimer.enabled; ++i) {
            const auto before = rig.wave.played.size();
            runTicks(rig, 1);
            if (rig.wave.played.size() > before) out.push_back(rig.midi.now);
        }
        return out;
    }
};

TEST_F(Engine, LeadInClicksOneBeatApartWalksThePointerThenPlays) {
    g.config.defaultLeadIn = 2;
    play({single(16, 1, 0)});
    EXPECT_EQ(clickTimesOver(1), (Times{kInterval}));
    EXPECT_EQ(g.ui.lpointer.at.left, slotLeft(9, 8));  // slot 10 - 2
    EXPECT_EQ(clickTimesOver(16), (Times{17 * kInterval}));
    EXPECT_EQ(g.ui.lpointer.at.left, slotLeft(9, 9));
    EXPECT_EQ(clickTimesOver(16), Times{});
    EXPECT_EQ(g.ui.lpointer.at.left, slotLeft(9, 7));  // back to slot 9 - 2
    EXPECT_EQ(noteOnTimes(), (Times{33 * kInterval}));
    EXPECT_EQ(rig.wave.played.front(), folder.path() + "tick.wav");
}

// The click is looked for on disk once per song, not at every beat: the program's own, else one
// beside the song. A click that is missing is said once and the beats go on silently.
TEST_F(Engine, TheClickIsLookedForOncePerSong) {
    TempDir songs;
    g.song.tickSound = "own.wav";
    g.song.songFolder = songs.path();
    songs.write("own.wav", "RIFF");
    g.song.metroOn = 1;
    play({single(64, 1, 0)});
    clickTimesOver(1);
    std::filesystem::remove(songs.path() + "own.wav");  // still the song's click
    clickTimesOver(16);
    EXPECT_EQ(rig.wave.played, std::vector<std::string>(2, songs.path() + "own.wav"));
    EXPECT_TRUE(rig.dialogs.messages.empty());
    g.song.songFolder = folder.path() + "elsewhere/";  // another song's
    clickTimesOver(32);
    EXPECT_EQ(rig.wave.played.size(), 2u);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.messages[0].text.find(folder.path() + "own.wav"), std::string::npos);
}

// Beats shorter than the four lit ticks relight the lamp before it goes dark.
TEST_F(Engine, LampLightsOnTheBeatAndGoesDarkFourTicksLater) {
    for (int beat : {16, 3}) {
        g.song.metroTicks = static_cast<i16>(beat);
        play({single(64, 1, 0)});
        for (int i = 0; i < 30; ++i) {
            runTicks(rig, 1);
            EXPECT_EQ(g.ui.mled.color, i % beat < 4 ? kLampLit : kLampDark) << beat << " " << i;
        }
    }
    EXPECT_TRUE(rig.wave.played.empty());  // the metronome is off
}

TEST_F(Engine, TheLastNoteRunsItsFullLengthThenTheTimerStopsOrTheSongRepeats) {
    play({single(16, 1, 0), single(8, 1, 3)});
    EXPECT_EQ(runTicks(rig, 100), 1 + 16 + 8);
    EXPECT_FALSE(g.ntimer.enabled);
    EXPECT_EQ(join(g.ui.playtxt[kPlay].color, g.ui.playtxt[kStop].color, g.ui.lblswapper[0].color),
              join(kColorAvailable, kColorActive, kColorAvailable));
    const auto& sent = rig.midi.sent;
    const auto off = std::find_if(sent.begin(), sent.end(),
                                  [](const auto& m) { return m.message == msg::noteOff(0, 43); });
    ASSERT_NE(off, sent.end());
    EXPECT_EQ(off->timeMs, 25 * kInterval);  // the last note ends exactly its 8 ticks later

    rig.midi.sent.clear();
    rig.midi.now = 0;
    mnuRepeatSong_Click(g);
    playbtn_Click(g, kPlay);
    runTicks(rig, 1 + 16 + 8 + 1);
    EXPECT_TRUE(g.ntimer.enabled);
    EXPECT_EQ(sounded(), (Ints{40, 43, 40}));
    EXPECT_EQ(noteOnTimes().back(), 26 * kInterval);
}

// The song's arrays as a text: every note with its frets and place, the end sentinel, the page
// table and the note count.
std::string songArrays(const SongModel& s) {
    std::string out = std::to_string(s.noteCount) + ":";
    for (int n = 0; n <= s.noteCount + 1; ++n) {
        out += " " + std::to_string(s.noteDur[n]) + "@" + std::to_string(s.noteX[n]);
        for (int str = 1; str <= 6; ++str)
            out += "," + std::to_string(s.noteFret(n, str));
    }
    for (int p = 1; p <= 30; ++p)
        out += " p" + std::to_string(s.pageStart[p]);
    return out;
}

TEST_F(Engine, RepeatLineLoopsInTimeWithoutTouchingTheSongsArrays) {
    buildSong(g, {single(16, 1, 0), pageEnd(), single(16, 1, 3), single(12, 1, 5), pageEnd(),
                  single(16, 1, 7)});
    const std::string before = songArrays(g.song);
    showPage(2);
    mnuRepeatLine_Click(g);
    EXPECT_EQ(songArrays(g.song), before);
    g.transport.curNote = 2;  // stopped at the start of the line
    playbtn_Click(g, kPlay);
    for (int pass = 0; pass < 3; ++pass) {
        runTicks(rig, 32);
        EXPECT_EQ(songArrays(g.song), before) << "pass " << pass;
    }
    EXPECT_EQ(sounded(), (Ints{43, 45, 43, 45, 43, 45}));
    // The line's first note follows its last on the next beat: its 12 ticks and a rest of 4.
    const auto t = noteOnTimes();
    EXPECT_EQ((Times{t[2] - t[1], t[3] - t[2]}), (Times{16 * kInterval, 16 * kInterval}));
    mnuRepeatCancel_Click(g);
    playbtn_Click(g, kStop);
    EXPECT_EQ(std::tuple(songArrays(g.song), g.song.modified), std::tuple(before, false));
}

// The first tick presents the starting note; every click falls on a beat of the line, whatever
// the page drawn before PLAY left in the count.
TEST_F(Engine, ClicksFallOnTheBeatsOfTheLineFromWhereverPlayStarts) {
    struct Start {
        std::vector<int> lengths;
        int metroTicks, startNote;
        Times clicks;  // in the first 26 ticks
    };
    const std::vector<Start> table = {
        {{16, 16}, 16, 1, {1, 17}},
        {{8, 12, 16}, 16, 3, {13}},  // 20 ticks into the line: 4 past a beat
        {{8, 16, 16}, 16, 2, {9, 25}},
        {{24, 24, 24}, 24, 2, {1, 25}},  // beats of 24 ticks, not 16
    };
    for (const Start& start : table) {
        std::vector<NoteSpec> notes;
        for (int length : start.lengths)
            notes.push_back(single(length, 1, 0));
        buildSong(g, notes);
        g.song.metroOn = 1;
        g.song.metroTicks = static_cast<i16>(start.metroTicks);
        g.transport.curNote = static_cast<i16>(start.startNote);
        g.playback.counters.beatTick = 0;  // as the page drawn at loading leaves it
        playbtn_Click(g, kPlay);
        const long t0 = rig.midi.now;
        Times heard;
        for (long t : clickTimesOver(26))
            heard.push_back((t - t0) / kInterval);
        EXPECT_EQ(heard, start.clicks) << "starting at note " << start.startNote;
        playbtn_Click(g, kStop);
    }
}

// The tempo readouts are what plays, as the clicks measure it; the speed stops at 25% and 200%.
TEST_F(Engine, TempoShowsTheBeatsAMinuteThatPlay) {
    const std::tuple<int, int, int, const char*, const char*> cases[] = {
        {8, 16, 100, "104", "100%"}, {2, 16, 100, "156", "100%"}, {30, 16, 100, "47", "100%"},
        {8, 24, 100, "69", "100%"},  {8, 16, 25, "26", "25%"},    {8, 16, 24, "26", "25%"},
        {8, 16, 200, "208", "200%"}, {8, 16, 201, "208", "200%"}};
    for (const auto& [step, beatTicks, percent, shown, percentShown] : cases) {
        g.song.metroOn = 1;
        g.song.metroTicks = static_cast<i16>(beatTicks);
        setTempoPercent(g, percent);
        btnSwapper_Click(g, kSettingTempo);
        PicSwapper_MouseDown(g, slotLeft(29, 31 - step) + kSlotPointerWidth / 2);
        PicSwapper_MouseUp(g);
        play({single(64, 1, 0), single(64, 1, 0)});
        const Times clicks = clickTimesOver(4 * beatTicks + 1);
        EXPECT_EQ(g.ui.tempotxt.caption, shown) << percent;
        EXPECT_EQ(g.ui.tempopct.caption, percentShown) << percent;
        EXPECT_NEAR(4 * 60000.0 / (clicks.at(4) - clicks[0]), std::stoi(shown), 0.5) << percent;
        playbtn_Click(g, kStop);
        setTempoPercent(g, 100);
    }
}

TEST_F(Engine, FastBackwardsSkipsSilentNotesAndTurnsPagesBack) {
    buildSong(g, {single(4, 1, 0), single(4, 1, 2), pageEnd(), single(4, 1, -1), single(4, 1, 7)});
    showPage(2);
    g.transport.curNote = 5;
    playbtn_MouseDown(g, kRew);
    runTicks(rig, 5);
    EXPECT_EQ(std::tuple(g.transport.curNote, g.ui.pgScroll.value, sounded().front()),
              std::tuple(2, 1, 42));
}

}  // namespace
}  // namespace lutavo::test
