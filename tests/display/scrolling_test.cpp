// Page turns, the position pointers, the note counter and the page scroll bar's panel.

#include <gtest/gtest.h>

#include "display/page_fixture.h"
#include "display/scrolling.h"
#include "playback/transport.h"

namespace lutavo::test {
namespace {

class Scrolling : public PageTest {
  protected:
    // Three drawn pages of two notes each: notes 1, 2 | 4, 5 | 7, 8 with end-of-page notes 3, 6.
    void threePages() {
        for (int p = 1; p <= 3; ++p) {
            if (p > 1) endPage();
            note(16, single(6, 0));
            note(16, single(6, 2));
        }
        finish();
    }
    void playing() {
        g.ntimer.enabled = true;
        g.gtimer.enabled = false;
    }
};

TEST_F(Scrolling, AnEndOfPageNoteTurnsToTheNextPageAndPointsAtItsFirstNote) {
    threePages();
    g.song.curNote = 3;
    const int redraws = d.pageRedraws;
    shownotePosition(g);
    EXPECT_EQ(g.song.curNote, 4);
    EXPECT_EQ(g.song.curPage, 2);
    EXPECT_EQ(g.ui.pgScroll.value, 2);
    EXPECT_EQ(d.pageRedraws, redraws + 1);
    EXPECT_EQ(g.ui.pointer.at.left, 100 * 15);

    // An ordinary note only moves the pointer.
    g.song.curNote = 5;
    shownotePosition(g);
    EXPECT_EQ(g.song.curNote, 5);
    EXPECT_EQ(g.ui.pointer.at.left, 180 * 15);
    EXPECT_EQ(d.pageRedraws, redraws + 1);
}

TEST_F(Scrolling, TheLastPageTurnsBackToPageOne) {
    threePages();
    g.ui.pgScroll.value = 3;
    g.song.curPage = 3;
    g.song.curNote = 6;
    shownotePosition(g);
    EXPECT_EQ(g.ui.pgScroll.value, 1);
    EXPECT_EQ(g.song.curPage, 1);
}

TEST_F(Scrolling, WithOnePageTheTurnRedrawsNothingAndThePageStaysOne) {
    note(16, single(6, 0));
    note(16, single(6, 0));
    note(16, single(6, 0));
    finish();
    g.song.noteDur[2] = kEndOfPage;
    g.song.curNote = 2;
    const int redraws = d.pageRedraws;
    shownotePosition(g);
    EXPECT_EQ(g.song.curNote, 3);
    EXPECT_EQ(g.ui.pgScroll.value, 1);
    EXPECT_EQ(g.song.curPage, 1);
    EXPECT_EQ(d.pageRedraws, redraws);
}

TEST_F(Scrolling, AnEndOfPageAndALineMarkerArePassedInOneCall) {
    note(16, single(6, 0));
    endPage();
    note(kLineMarker, {4, -1, -1, -1, -1, -1});
    note(16, single(6, 0));
    note(kLineMarker, {7, -1, -1, -1, -1, -1});
    finish();
    g.ui.pagepic.visible = true;  // a song of picture pages
    d.pagewindowCells.rows = 2;
    g.song.curNote = 2;
    shownotePosition(g);
    EXPECT_EQ(g.song.curNote, 4);
    EXPECT_EQ(g.ui.vpointer.at.top, 400);
    EXPECT_EQ(g.playback.noteTicks, 99);
    EXPECT_EQ(g.ui.pgScroll.value, 2);
    EXPECT_EQ(g.ui.pointer.at.left, g.song.noteX[4] * 15);
}

TEST_F(Scrolling, DraggingTheNoteScrollBarChangesOnlyTheCounter) {
    threePages();
    g.song.curNote = 1;
    g.ui.pointer.at.left = 1500;
    ScrlNpntr_Scroll(g, 5);
    EXPECT_EQ(g.ui.lblnoteof.caption, "5");
    EXPECT_EQ(g.ui.ScrlNpntr.value, 5);
    EXPECT_EQ(g.song.curNote, 1);
    EXPECT_EQ(g.ui.pointer.at.left, 1500);
    EXPECT_EQ(g.ui.pgScroll.value, 1);

    // The change handler runs only when the value changes.
    g.ui.lblnoteof.caption = "?";
    ScrlNpntr_Scroll(g, 5);
    EXPECT_EQ(g.ui.lblnoteof.caption, "?");
}

TEST_F(Scrolling, TheCounterFollowsTheCurrentNoteOnlyWithinTheSong) {
    threePages();
    g.song.curNote = 4;
    shownoteCounter(g);
    EXPECT_EQ(g.ui.ScrlNpntr.value, 4);
    EXPECT_EQ(g.ui.lblnoteof.caption, "4");
    g.song.curNote = static_cast<i16>(g.song.noteCount + 1);
    shownoteCounter(g);
    EXPECT_EQ(g.ui.ScrlNpntr.value, 4);
}

TEST_F(Scrolling, MovingThePageScrollBarRedrawsOnlyWhenItsValueChanges) {
    threePages();
    const int redraws = d.pageRedraws;
    pgScroll_Scroll(g, 1);
    EXPECT_EQ(d.pageRedraws, redraws);
    pgScroll_Scroll(g, 3);
    EXPECT_EQ(d.pageRedraws, redraws + 1);
    EXPECT_EQ(g.song.curPage, 3);
}

TEST_F(Scrolling, ClickingThePanelPausesAndPutsTheCursorOnTheFirstNoteOfThePageShown) {
    threePages();
    playing();
    g.song.curNote = 1;
    g.playback.noteTicks = 3;
    g.ui.pgScroll.value = 2;
    scrollpanel_Click(g);
    EXPECT_EQ(g.song.curPage, 2);
    EXPECT_EQ(g.song.curNote, 4);
    EXPECT_EQ(g.ui.pointer.at.left, 100 * 15);
    EXPECT_EQ(g.ui.ScrlNpntr.value, 4);
    EXPECT_EQ(g.ui.lblnoteof.caption, "4");
    EXPECT_EQ(g.playback.noteTicks, 99);  // the first note is due at once on resuming
    EXPECT_FALSE(g.ntimer.enabled);
    EXPECT_TRUE(g.gtimer.enabled);
    // PAUSE (3) lights up; REW .. STOP are otherwise back to normal.
    for (int k = 0; k <= 6; ++k) {
        const Color expected = k == 3 ? kColorActive : kColorAvailable;
        EXPECT_EQ(g.ui.playtxt[k].color, expected) << k;
    }

    // Page 1: before the first note.
    playing();
    g.ui.pgScroll.value = 1;
    scrollpanel_Click(g);
    EXPECT_EQ(g.song.curNote, 0);
    EXPECT_EQ(g.ui.pointer.at.left, g.song.noteX[0] * 15);
    EXPECT_FALSE(g.ntimer.enabled);
}

TEST_F(Scrolling, FocusChangesOfThePageScrollBarActLikeAClick) {
    threePages();
    playing();
    g.ui.pgScroll.value = 3;
    pgScroll_GotFocus(g);
    EXPECT_TRUE(g.ui.pgScroll.hasFocus);
    EXPECT_EQ(g.song.curNote, 7);
    EXPECT_FALSE(g.ntimer.enabled);

    playing();
    g.ui.pgScroll.value = 2;
    pgScroll_LostFocus(g);
    EXPECT_FALSE(g.ui.pgScroll.hasFocus);
    EXPECT_EQ(g.song.curNote, 4);
    EXPECT_FALSE(g.ntimer.enabled);
}

TEST_F(Scrolling, ASongOfOneNoteIgnoresThePanel) {
    note(16, single(6, 0));
    finish();
    playing();
    g.song.curNote = 1;
    scrollpanel_Click(g);
    EXPECT_TRUE(g.ntimer.enabled);
    EXPECT_EQ(g.song.curNote, 1);
}

TEST_F(Scrolling, InTheEditorTheLengthScaleFollowsTheCurrentNote) {
    note(24, single(6, 0));
    note(80, single(6, 0));
    finish();
    g.app.appMode = kModeEditor;
    g.playback.swapperMode = 5;
    for (int k = 1; k <= 10; ++k)
        g.playback.swapperSlotX[k] = static_cast<i16>(100 * k);
    g.song.curNote = 1;
    shownotePosition(g);
    EXPECT_EQ(g.playback.swapperPos, 7);  // dotted quarter
    EXPECT_EQ(g.ui.lpointer.at.left, 700);
    g.song.curNote = 2;
    shownotePosition(g);
    EXPECT_EQ(g.playback.swapperPos, 10);  // longer than a whole: the whole

    // Outside the editor the scale is left alone.
    g.app.appMode = kModeSongs;
    g.song.curNote = 1;
    shownotePosition(g);
    EXPECT_EQ(g.playback.swapperPos, 10);
}

}  // namespace
}  // namespace lutavo::test
