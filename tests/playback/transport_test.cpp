// SPDX-License-Identifier: GPL-3.0-or-later
// The transport buttons, winding, the repeat menu, the output buttons and locating a note.

#include "playback/transport.h"
#include "playback/performer.h"
#include "playback_fixture.h"

namespace lutavo::test {
namespace {

class Transport : public PlaybackTest {
  protected:
    void SetUp() override { g.ntimer.interval = 36; }

    Color label(int i) const { return g.ui.playtxt[i].color; }

    // A song of notes with a silent one, a muted one and a fast-forward stop marker.
    void mixedSong() {
        buildSong(g, {single(16, 1, 0), single(16, 1, -1), single(16, 2, -4), single(16, 1, -1),
                      single(16, 1, 5)});
    }
};

TEST_F(Transport, AnyClickOnAnEmptySongOnlyDarkensTheLamp) {
    buildSong(g, {});
    for (int i = kRew; i <= kQuietNext; ++i) {
        g.ui.mled.color = kLampLit;
        playbtn_Click(g, i);
        EXPECT_EQ(g.ui.mled.color, kLampDark) << i;
    }
    playbtn_MouseDown(g, kFfwd);
    EXPECT_FALSE(g.ntimer.enabled);
}

TEST_F(Transport, PlayLightsItsLabelStartsTheTimerAndAfterTheEndRestartsOnPageOne) {
    buildSong(g, {single(16, 1, 0), pageEnd(), single(16, 1, 3)});
    showPage(2);
    g.transport.curNote = static_cast<i16>(g.song.noteCount + 2);
    playbtn_Click(g, kPlay);
    for (int i = kRew; i <= kStop; ++i)
        EXPECT_EQ(label(i), i == kPlay ? kColorActive : kColorAvailable);
    EXPECT_EQ(
        std::tuple(g.ntimer.enabled, g.transport.curNote, g.ui.pgScroll.value, g.transport.curPage),
        std::tuple(true, 1, 1, 1));
}

// The scroll bar's arrows change the page while the bar keeps the focus it already had.
TEST_F(Transport, TurningThePageOnTheScrollBarMovesTheNoteCounterWithIt) {
    buildSong(g, {single(16, 1, 0), pageEnd(), single(16, 1, 3), pageEnd(), single(16, 1, 5)});
    pgScroll_GotFocus(g);
    for (const auto& [page, first] : {std::pair{3, 5}, {2, 3}, {1, 0}}) {
        pgScroll_UserScroll(g, page);
        EXPECT_EQ(std::tuple(g.transport.curPage, g.ui.lblnoteof.caption),
                  std::tuple(page, std::to_string(first)));
    }
}

TEST_F(Transport, PauseSoundsTheCurrentNoteAgainAndStopGoesBeforeTheFirstNoteInSilence) {
    mixedSong();
    playbtn_Click(g, kPlay);
    g.transport.curNote = 5;
    ASSERT_EQ(rig.midi.cancels, 0);
    playbtn_Click(g, kPause);
    EXPECT_EQ(std::tuple(g.ntimer.enabled, g.gtimer.enabled, label(kPause), rig.midi.cancels),
              std::tuple(false, true, kColorActive, 1))
        << "what playback scheduled and has not sounded is dropped";
    EXPECT_EQ(sounded(), (Ints{45}));

    playbtn_Click(g, kPlay);
    runTicks(rig, 1);
    showPage(2);
    rig.midi.sent.clear();
    playbtn_Click(g, kStop);
    EXPECT_EQ(std::tuple(g.ntimer.enabled, g.transport.curNote, g.ui.pgScroll.value,
                         g.playback.counters.beatTick, rig.midi.cancels),
              std::tuple(false, 0, 1, kBeatAfterStop, 2));
    const auto sent = rig.midi.messages();
    EXPECT_TRUE(msg::noteOns(sent).empty());
    EXPECT_NE(std::find(sent.begin(), sent.end(), msg::noteOff(0, 45)), sent.end());
}

TEST_F(Transport, BackAndNextSkipSilentNotesButStopAtMutedOnes) {
    mixedSong();
    g.transport.curNote = 5;
    Ints stops;
    for (int k = 0; k < 3; ++k) {
        playbtn_Click(g, kBack);
        stops.push_back(g.transport.curNote);
    }
    for (int k = 0; k < 3; ++k) {
        playbtn_Click(g, kNext);
        stops.push_back(g.transport.curNote);
    }
    // At the first note BACK stays there; NEXT goes past the last note and no further.
    EXPECT_EQ(stops, (Ints{3, 1, 1, 3, 5, 6}));
    // In the editor the quiet form stops at every note.
    g.app.appMode = kModeEditor;
    g.transport.curNote = 5;
    playbtn_Click(g, kQuietBack);
    EXPECT_EQ(g.transport.curNote, 4);
}

TEST_F(Transport, NextInTheEditorAtTheLastNoteAppendsAnEmptyNoteOfTheChosenLength) {
    buildSong(g, {single(16, 1, 0), single(8, 1, 2)});
    g.app.appMode = kModeEditor;
    g.playback.swapperPos = 6;
    g.transport.curNote = 2;
    playbtn_Click(g, kNext);
    EXPECT_EQ(std::tuple(g.song.noteCount, g.transport.curNote, g.song.noteDur[3]),
              std::tuple(3, 3, 16));
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(g.song.noteFret(3, s), kSilent);
}

// Line plays the current line in a loop; song replaces it; cancel clears the mode; a menu closed
// without a choice leaves the labels as they were.
TEST_F(Transport, RepeatMenuLineThenSongThenCancel) {
    buildSong(g, {single(16, 1, 0), single(8, 1, 1), pageEnd(), single(16, 1, 3), single(12, 1, 5),
                  pageEnd(), single(16, 1, 7)});
    g.transport.curPage = 2;
    rig.dialogs.menuAnswers.push_back(kRepeatMenuLine);
    playbtn_Click(g, kRepeat);
    ASSERT_EQ(rig.dialogs.menus.size(), 1u);
    const PlayRange& range = g.transport.range;
    EXPECT_EQ(std::tuple(range.first, range.last, range.loop), std::tuple(4, 5, true));
    rig.dialogs.menuAnswers.push_back(kRepeatMenuSong);
    playbtn_Click(g, kRepeat);
    EXPECT_EQ(std::tuple(range.loop, range.first, g.transport.repeatSong, label(kRepeat)),
              std::tuple(false, 1, true, kColorActive));
    rig.dialogs.menuAnswers.push_back(kRepeatMenuCancel);
    playbtn_Click(g, kRepeat);
    EXPECT_EQ(std::tuple(g.transport.repeatSong, g.ui.mnuRepeat.items[kRepeatMenuCancel].checked,
                         label(kRepeat)),
              std::tuple(false, true, kColorAvailable));
    playbtn_Click(g, kPause);
    playbtn_Click(g, kRepeat);
    EXPECT_EQ(std::tuple(label(kPause), label(kRepeat)), std::tuple(kColorActive, kColorAvailable));
}

TEST_F(Transport, WindingSpeedsUpAtEveryPageTurnDownToFourMsAndReleaseStops) {
    std::vector<NoteSpec> song;
    for (int page = 0; page < 14; ++page) {
        song.push_back(single(2, 1, page));
        song.push_back(pageEnd());
    }
    song.push_back(single(2, 1, 0));
    buildSong(g, song);
    g.ui.pagepic.visible = false;  // drawn pages
    playbtn_MouseDown(g, kFfwd);
    EXPECT_EQ(std::tuple(g.playback.winding, rig.midi.cancels), std::tuple(-1, 1));
    std::vector<int> intervals;
    while (g.ntimer.enabled && intervals.size() < 200) {
        runTicks(rig, 1);
        if (intervals.empty() || intervals.back() != g.ntimer.interval) {
            intervals.push_back(g.ntimer.interval);
        }
    }
    EXPECT_EQ(intervals, (Ints{15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4}));
    playbtn_MouseUp(g, kFfwd);
    EXPECT_EQ(std::tuple(g.ntimer.enabled, g.ntimer.interval, g.playback.winding),
              std::tuple(false, 36, 0));
    // Rewind from a page end starts on the note before it.
    g.transport.curNote = 2;
    playbtn_MouseDown(g, kRew);
    EXPECT_EQ(std::tuple(g.transport.curNote, g.playback.playMode), std::tuple(1, kPlayBackwards));
}

TEST_F(Transport, SetupButtonStopsAndSpeedsUpTheWindowTimer) {
    mixedSong();
    playbtn_Click(g, kPlay);
    outbtn_Click(g, kSetupButton);
    EXPECT_EQ(std::tuple(g.ntimer.enabled, g.gtimer.interval), std::tuple(false, 100));
}

TEST_F(Transport, ClickOnTheScoreLocatesTheNoteUnderIt) {
    std::vector<NoteSpec> page;
    for (int i = 0; i < 9; ++i)
        page.push_back(single(16, 1, i));
    page.push_back(pageEnd());
    page.push_back(single(16, 1, 0));
    page.push_back(pageEnd());
    buildSong(g, page);
    // Never onto the page's end marker.
    for (const auto& [x, note] : {std::pair{100, 1}, {160, 2}, {5000, 9}, {-300, 1}}) {
        locatenote(g, x);
        EXPECT_EQ(g.transport.curNote, note) << x;
    }
    EXPECT_EQ(sounded().front(), 40);
    g.transport.curPage = 3;  // a last page holding only the end slot keeps the cursor there
    locatenote(g, 100);
    EXPECT_EQ(std::tuple(g.transport.curNote, g.transport.curPage), std::tuple(13, 3));
}

}  // namespace
}  // namespace lutavo::test
