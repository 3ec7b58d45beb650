// The transport buttons, winding, the repeat menu, the output buttons and locating a note.

#include "playback/transport.h"
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
        EXPECT_EQ(label(i <= kRepeat ? i : kRew), kColorAvailable) << i;
    }
    playbtn_MouseDown(g, kFfwd);
    EXPECT_EQ(std::tuple(g.ntimer.enabled, rig.dialogs.menus.empty(), rig.midi.sent.empty()),
              std::tuple(false, true, true));
}

TEST_F(Transport, PlayLightsItsLabelStartsTheTimerAndShowsTheLeadInScale) {
    mixedSong();
    mnuRepeatSong_Click(g);
    playbtn_Click(g, kPlay);
    for (int i = kRew; i <= kStop; ++i)
        EXPECT_EQ(label(i), i == kPlay ? kColorActive : kColorAvailable);
    // REPEAT stays lit (a repeat mode is on); the lead-in scale is shown.
    EXPECT_EQ(std::tuple(label(kRepeat), g.ntimer.enabled, g.gtimer.enabled, g.playback.swapperMode,
                         g.ui.lblswapper[5].color, g.ui.lblswapper[0].color, g.song.curNote,
                         g.playback.playStartNote),
              std::tuple(kColorActive, true, false, 5, kColorActive, kColorUnavailable, 1, 1));
}

TEST_F(Transport, PlayAfterStopAtARepeatedLineStartsThereWithNoRememberedNotes) {
    buildSong(g, {single(16, 1, 0), pageEnd(), single(16, 1, 3), single(16, 1, 5)});
    showPage(2);
    mnuRepeatLine_Click(g);
    playbtn_Click(g, kStop);
    EXPECT_EQ(g.song.curNote, 2);
    EXPECT_EQ(g.ui.pgScroll.value, 2);  // the repeated line stays shown
    g.playback.soundingNote[1] = 45 << 8;
    playbtn_Click(g, kPlay);
    EXPECT_EQ(g.song.curNote, 3);
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(g.playback.soundingNote[s], 0);
}

TEST_F(Transport, PlayAfterTheEndRestartsOnPageOne) {
    buildSong(g, {single(16, 1, 0), pageEnd(), single(16, 1, 3)});
    showPage(2);
    g.song.curNote = static_cast<i16>(g.song.noteCount + 2);
    playbtn_Click(g, kPlay);
    EXPECT_EQ(std::tuple(g.song.curNote, g.ui.pgScroll.value, g.song.curPage), std::tuple(1, 1, 1));
}

TEST_F(Transport, PauseStopsAndSoundsTheCurrentNoteAgain) {
    mixedSong();
    playbtn_Click(g, kPlay);
    g.song.curNote = 5;
    g.ui.lblswapper[0].color = kColorUnavailable;
    playbtn_Click(g, kPause);
    EXPECT_FALSE(g.ntimer.enabled);
    EXPECT_TRUE(g.gtimer.enabled);
    EXPECT_EQ(sounded(), (Ints{45}));
    EXPECT_EQ(g.ui.lblswapper[0].color, kColorAvailable);
    EXPECT_EQ(label(kPause), kColorActive);
}

TEST_F(Transport, BackSkipsSilentNotesButStopsAtMutedOnesAndInTheEditorAtEveryNote) {
    mixedSong();
    g.song.curNote = 5;
    Ints stops;
    for (int k = 0; k < 3; ++k) {
        playbtn_Click(g, kBack);
        stops.push_back(g.song.curNote);
    }
    EXPECT_EQ(stops, (Ints{3, 1, 1}));  // at the first note it stays there
    EXPECT_EQ(label(kBack), kColorActive);
    g.app.appMode = kModeEditor;
    g.song.curNote = 5;
    g.ui.playtxt[kBack].color = kColorAvailable;
    playbtn_Click(g, kQuietBack);
    // The quiet form leaves the labels.
    EXPECT_EQ(std::tuple(g.song.curNote, label(kBack)), std::tuple(4, kColorAvailable));
}

TEST_F(Transport, NextSkipsSilentNotesAndStopsAtMarkers) {
    buildSong(g, {single(16, 1, 0),
                  single(16, 1, -1),
                  {98, {-1, -1, -1, -1, -1, -1}},
                  single(16, 2, -4),
                  single(16, 1, -1)});
    g.song.curNote = 1;
    playbtn_Click(g, kNext);
    EXPECT_EQ(g.song.curNote, 3);
    playbtn_Click(g, kNext);
    EXPECT_EQ(g.song.curNote, 4);
    playbtn_Click(g, kNext);
    EXPECT_EQ(g.song.curNote, 6);  // past the last note
    playbtn_Click(g, kNext);
    EXPECT_EQ(g.song.curNote, 6);
}

TEST_F(Transport, NextInTheEditorAtTheLastNoteAppendsAnEmptyNoteOfTheChosenLength) {
    buildSong(g, {single(16, 1, 0), single(8, 1, 2)});
    g.app.appMode = kModeEditor;
    g.playback.swapperPos = 6;
    g.song.curNote = 2;
    playbtn_Click(g, kNext);
    EXPECT_EQ(std::tuple(g.song.noteCount, g.song.curNote, g.song.noteDur[3], g.song.noteDur[4],
                         g.song.noteX[4], g.song.pageStart[2], g.ui.lbloftotal.caption,
                         g.ui.ScrlNpntr.max),
              std::tuple(3, 3, 16, 0, 595, 5, "3", 4));
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(g.song.noteFret(3, s), kSilent);
}

TEST_F(Transport, NextInTheEditorAddsNoNoteBeyondAThousand) {
    std::vector<NoteSpec> song(kMaxNotes, single(4, 1, 0));
    buildSong(g, song);
    g.app.appMode = kModeEditor;
    g.song.curNote = kMaxNotes;
    playbtn_Click(g, kNext);
    EXPECT_EQ(g.song.noteCount, kMaxNotes);
    EXPECT_EQ(g.song.curNote, kMaxNotes + 1);
}

TEST_F(Transport, NextInTheEditorOnAPageEndTurnsThePageFirst) {
    buildSong(g, {single(16, 1, 0), pageEnd(), single(16, 1, 3), single(16, 1, 5)});
    g.app.appMode = kModeEditor;
    g.ui.pagepic.visible = false;  // drawn pages, whose redraw sets the current page
    g.song.curNote = 2;
    playbtn_Click(g, kNext);
    EXPECT_EQ(std::tuple(g.ui.pgScroll.value, g.song.curPage, g.song.curNote), std::tuple(2, 2, 3));
}

TEST_F(Transport, StopGoesBeforeTheFirstNoteAndEndsTheSound) {
    buildSong(g, {single(16, 1, 0), pageEnd(), single(16, 1, 3)});
    playbtn_Click(g, kPlay);
    runTicks(rig, 1);
    showPage(2);
    rig.midi.sent.clear();
    playbtn_Click(g, kStop);
    EXPECT_EQ(std::tuple(g.ntimer.enabled, g.gtimer.enabled, g.song.curNote, g.song.curPage,
                         g.ui.pgScroll.value, g.playback.noteTicks, g.playback.beatTick),
              std::tuple(false, true, 0, 1, 1, 0, kBeatAfterStop));
    const auto sent = rig.midi.messages();
    EXPECT_TRUE(msg::noteOns(sent).empty());
    EXPECT_NE(std::find(sent.begin(), sent.end(), msg::noteOff(0, 40)), sent.end());
}

TEST_F(Transport, RepeatPopsItsMenuAndTheChoiceSetsTheMode) {
    mixedSong();
    rig.dialogs.menuAnswers.push_back(kRepeatMenuSong);
    playbtn_Click(g, kRepeat);
    ASSERT_EQ(rig.dialogs.menus.size(), 1u);
    EXPECT_EQ(std::tuple(rig.dialogs.menus[0].items.size(), g.playback.repeatSong,
                         g.ui.mnuRepeat.items[kRepeatMenuSong].checked,
                         g.ui.mnuRepeat.items[kRepeatMenuCancel].checked, label(kRepeat)),
              std::tuple(3u, 1, true, false, kColorActive));

    rig.dialogs.menuAnswers.push_back(kRepeatMenuCancel);
    playbtn_Click(g, kRepeat);
    EXPECT_EQ(std::tuple(g.playback.repeatSong, g.ui.mnuRepeat.items[kRepeatMenuCancel].checked,
                         g.ui.mnuRepeat.items[kRepeatMenuSong].checked, label(kRepeat)),
              std::tuple(0, true, false, kColorAvailable));
}

TEST_F(Transport, RepeatLineThenCancelRestoresTheSong) {
    buildSong(g, {single(16, 1, 0), single(8, 1, 1), pageEnd(), single(16, 1, 3), single(12, 1, 5),
                  pageEnd(), single(16, 1, 7)});
    g.song.curPage = 2;
    mnuRepeatLine_Click(g);
    EXPECT_EQ(std::tuple(g.playback.repeatStart, g.song.noteCount, g.song.noteDur[3],
                         g.ui.mnuRepeat.items[kRepeatMenuLine].checked),
              std::tuple(4, 5, 12, true));
    mnuRepeatSong_Click(g);  // choosing song first cancels the line
    EXPECT_EQ(std::tuple(g.playback.repeatLine, g.song.noteCount, g.song.noteDur[3],
                         g.playback.repeatStart, g.ui.mnuRepeat.items[kRepeatMenuLine].checked),
              std::tuple(0, 7, kEndOfPage, 1, false));
}

TEST_F(Transport, RepeatLineOnTheLastLineKeepsTheCountAndIsRefusedInTheEditor) {
    buildSong(g, {single(16, 1, 0), pageEnd(), single(16, 1, 3), single(12, 1, 5)});
    g.app.appMode = kModeEditor;
    g.song.curPage = 2;
    mnuRepeatLine_Click(g);
    EXPECT_EQ(g.playback.repeatLine, 0);
    g.app.appMode = kModeSongs;
    mnuRepeatLine_Click(g);
    EXPECT_EQ(g.song.noteCount, 4);
    mnuRepeatCancel_Click(g);
    EXPECT_EQ(g.song.noteCount, 4);
    EXPECT_EQ(g.song.noteDur[2], kEndOfPage);
}

TEST_F(Transport, ANewSongClearsTheRepeatModesWithoutTouchingItsNotes) {
    buildSong(g, {single(16, 1, 0), pageEnd(), single(16, 1, 3), single(12, 1, 5), pageEnd(),
                  single(16, 1, 7)});
    g.song.curPage = 2;
    mnuRepeatLine_Click(g);
    buildSong(g, {single(8, 1, 0), single(8, 1, 2)});
    clearRepeatModes(g);
    mnuRepeatCancel_Click(g);
    EXPECT_EQ(std::tuple(g.song.noteCount, g.song.noteDur[1], g.playback.repeatStart,
                         g.ui.mnuRepeat.items[kRepeatMenuCancel].checked,
                         g.ui.mnuRepeat.items[kRepeatMenuLine].checked, label(kRepeat)),
              std::tuple(2, 8, 1, true, false, kColorAvailable));
}

TEST_F(Transport, HoldingFastForwardWindsAndReleaseStopsOrKeepsPlayingAsBefore) {
    mixedSong();
    playbtn_MouseDown(g, kFfwd);
    EXPECT_EQ(std::tuple(g.ntimer.enabled, g.playback.winding), std::tuple(true, -1));
    runTicks(rig, 20);
    EXPECT_GT(g.song.curNote, 1);
    playbtn_MouseUp(g, kFfwd);
    EXPECT_EQ(std::tuple(g.ntimer.enabled, g.ntimer.interval, g.playback.winding),
              std::tuple(false, 36, 0));
    playbtn_Click(g, kPlay);
    playbtn_MouseDown(g, kFfwd);
    EXPECT_EQ(g.playback.wasPlaying, 1);
    EXPECT_EQ(g.ntimer.interval, 8);  // the faster speed after the first release
    playbtn_MouseUp(g, kFfwd);
    EXPECT_EQ(std::tuple(g.ntimer.enabled, g.ntimer.interval), std::tuple(true, 36));
}

TEST_F(Transport, EveryPageTurnWhileWindingWindsFasterDownToFourMilliseconds) {
    std::vector<NoteSpec> song;
    for (int page = 0; page < 14; ++page) {
        song.push_back(single(2, 1, page));
        song.push_back(pageEnd());
    }
    song.push_back(single(2, 1, 0));
    buildSong(g, song);
    g.ui.pagepic.visible = false;  // drawn pages
    playbtn_MouseDown(g, kFfwd);
    std::vector<int> intervals;
    while (g.ntimer.enabled && intervals.size() < 200) {
        runTicks(rig, 1);
        if (intervals.empty() || intervals.back() != g.ntimer.interval) {
            intervals.push_back(g.ntimer.interval);
        }
    }
    EXPECT_EQ(intervals, (Ints{15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4}));
}

TEST_F(Transport, ClickingRewindOrFastForwardOnlyColoursTheirLabel) {
    mixedSong();
    playbtn_Click(g, kFfwd);
    EXPECT_EQ(label(kFfwd), kColorActive);
    playbtn_Click(g, kRew);
    EXPECT_EQ(std::tuple(label(kRew), label(kFfwd), g.ntimer.enabled, g.song.curNote,
                         rig.midi.sent.empty()),
              std::tuple(kColorActive, kColorAvailable, false, 0, true));
}

TEST_F(Transport, RewindFromAPageEndStartsOnTheNoteBeforeIt) {
    buildSong(g, {single(16, 1, 0), pageEnd(), single(16, 1, 3)});
    g.song.curNote = 2;
    playbtn_MouseDown(g, kRew);
    EXPECT_EQ(g.song.curNote, 1);
    EXPECT_EQ(g.playback.playMode, kPlayBackwards);
}

TEST_F(Transport, SetupButtonStopsAndSpeedsUpTheWindowTimer) {
    mixedSong();
    playbtn_Click(g, kPlay);
    outbtn_Click(g, kSetupButton);
    EXPECT_EQ(std::tuple(g.ntimer.enabled, g.gtimer.interval, g.ui.outtxt[kSetupLabel].color,
                         g.song.curNote),
              std::tuple(false, 100, kColorActive, 0));
}

TEST_F(Transport, MetronomeButtonToggles) {
    g.ui.mled.color = kLampLit;
    TempoBtn_Click(g);
    EXPECT_EQ(std::tuple(g.song.metroOn, g.ui.outtxt[kMetroLabel].color, g.ui.mled.color),
              std::tuple(1, kColorActive, kLampDark));
    TempoBtn_Click(g);
    EXPECT_EQ(g.song.metroOn, 0);
    EXPECT_EQ(g.ui.outtxt[kMetroLabel].color, kColorAvailable);
}

TEST_F(Transport, ClickOnTheScoreLocatesTheNoteUnderIt) {
    std::vector<NoteSpec> page;
    for (int i = 0; i < 9; ++i)
        page.push_back(single(16, 1, i));
    page.push_back(pageEnd());
    page.push_back(single(16, 1, 0));
    buildSong(g, page);
    locatenote(g, 100);
    EXPECT_EQ(g.display.noteSpacing, 62);
    EXPECT_EQ(g.song.curNote, 1);
    EXPECT_EQ(sounded(), (Ints{40}));
    locatenote(g, 160);
    EXPECT_EQ(g.song.curNote, 2);
    locatenote(g, 5000);
    EXPECT_EQ(g.song.curNote, 9);  // never onto the page's end marker
    locatenote(g, -300);
    EXPECT_EQ(g.song.curNote, 1);
}

TEST_F(Transport, ClickOnTheScoreWhilePlayingPausesThere) {
    mixedSong();
    playbtn_Click(g, kPlay);
    score_MouseDown(g, 80 + 2 * 80);
    EXPECT_EQ(std::tuple(g.song.curNote, g.ntimer.enabled, label(kPause)),
              std::tuple(3, false, kColorActive));
    rig.midi.sent.clear();
    score_MouseUp(g);
    EXPECT_TRUE(msg::noteOns(rig.midi.messages()).empty());
}

}  // namespace
}  // namespace lutavo::test
