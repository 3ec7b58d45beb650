// SPDX-License-Identifier: GPL-3.0-or-later
// Page turns, the position pointers, the note counter and the page scroll bar's panel.

#include <gtest/gtest.h>

#include <tuple>

#include "display/page_fixture.h"
#include "display/scrolling.h"
#include "playback/performer.h"
#include "playback/transport.h"

namespace lutavo::test {
namespace {

using Where = std::tuple<int, int, int, int>;

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
    // The current note and page, the page scroll bar and the pointer's x in twips.
    Where where() const {
        return {g.transport.curNote, g.transport.curPage, g.ui.pgScroll.value,
                g.ui.pointer.at.left};
    }
    Where move(int note) {
        g.transport.curNote = static_cast<i16>(note);
        presentNote(g, kShowOnly);
        return where();
    }
    // Clicks the page panel while playing with page `page` shown.
    Where click(int page) {
        playing();
        g.ui.pgScroll.value = page;
        scrollpanel_Click(g);
        EXPECT_FALSE(g.ntimer.enabled);
        return where();
    }
};

TEST_F(Scrolling, AnEndOfPageNoteTurnsToTheNextPageAndTheLastBackToPageOne) {
    threePages();
    const int redraws = d.pageRedraws;
    EXPECT_EQ(move(3), Where(4, 2, 2, 100 * 15));
    EXPECT_EQ(d.pageRedraws, redraws + 1);
    // An ordinary note only moves the pointer.
    EXPECT_EQ(move(5), Where(5, 2, 2, 180 * 15));
    EXPECT_EQ(d.pageRedraws, redraws + 1);
    // The last page turns back to page one.
    g.ui.pgScroll.value = 3;
    g.transport.curPage = 3;
    const Where turned = move(6);
    EXPECT_EQ(std::get<1>(turned), 1);
    EXPECT_EQ(std::get<2>(turned), 1);
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
    EXPECT_EQ(move(2), Where(4, 2, 2, 15 * g.song.noteX[4]));
    EXPECT_EQ(g.ui.vpointer.at.top, 400);
    EXPECT_EQ(g.playback.counters.noteTicks, 99);
}

TEST_F(Scrolling, DraggingTheNoteScrollBarChangesOnlyTheCounter) {
    threePages();
    g.transport.curNote = 1;
    g.ui.pointer.at.left = 1500;
    ScrlNpntr_Scroll(g, 5);
    EXPECT_EQ(std::tuple(g.ui.lblnoteof.caption, g.ui.ScrlNpntr.value, where()),
              std::tuple("5", 5, Where(1, 1, 1, 100 * 15)));
}

TEST_F(Scrolling, TheCounterFollowsTheCurrentNoteOnlyWithinTheSong) {
    threePages();
    g.transport.curNote = 4;
    shownoteCounter(g, g.transport.curNote);
    EXPECT_EQ(g.ui.lblnoteof.caption, "4");
    g.transport.curNote = static_cast<i16>(g.song.noteCount + 1);
    shownoteCounter(g, g.transport.curNote);
    EXPECT_EQ(g.ui.ScrlNpntr.value, 4);
}

TEST_F(Scrolling, MovingThePageScrollBarRedrawsOnlyWhenItsValueChanges) {
    threePages();
    const int redraws = d.pageRedraws;
    pgScroll_Scroll(g, 1);
    EXPECT_EQ(d.pageRedraws, redraws);
    pgScroll_Scroll(g, 3);
    EXPECT_EQ(d.pageRedraws, redraws + 1);
    EXPECT_EQ(g.transport.curPage, 3);
}

TEST_F(Scrolling, ClickingThePanelPausesAndPutsTheCursorOnTheFirstNoteOfThePageShown) {
    threePages();
    g.transport.curNote = 1;
    g.playback.counters.noteTicks = 3;
    EXPECT_EQ(click(2), Where(4, 2, 2, 100 * 15));
    // Its note is due at once on resuming; PAUSE (3) lights up.
    EXPECT_EQ(std::tuple(g.playback.counters.noteTicks, g.ui.playtxt[3].color),
              std::tuple(99, kColorActive));
    // Page 1: before the first note.
    EXPECT_EQ(click(1), Where(0, 1, 1, 15 * g.song.noteX[0]));
}

TEST_F(Scrolling, InTheEditorTheLengthScaleFollowsTheCurrentNote) {
    note(24, single(6, 0));
    note(80, single(6, 0));
    finish();
    g.app.appMode = kModeEditor;
    g.playback.swapperMode = 5;
    for (int k = 1; k <= 10; ++k)
        g.playback.swapperSlotX[k] = static_cast<i16>(100 * k);
    move(1);
    EXPECT_EQ(g.playback.swapperPos, 7);  // dotted quarter
    EXPECT_EQ(g.ui.lpointer.at.left, 700);
    // Outside the editor the scale is left alone.
    g.app.appMode = kModeSongs;
    move(2);
    EXPECT_EQ(g.playback.swapperPos, 7);
}

}  // namespace
}  // namespace lutavo::test
