// Drawing a page: which glyph goes where, with which copy.

#include <gtest/gtest.h>

#include "app/song_tables.h"
#include "display/page_draw.h"
#include "display/page_fixture.h"
#include "display/page_glyphs.h"
#include "display/page_render.h"
#include "fakes/fake_pictures.h"
#include "theory/keys.h"

namespace lutavo::test {
namespace {

constexpr auto kAnd = RasterOp::And;
constexpr auto kCopy = RasterOp::Copy;

// Notation pitch of an open string in standard tuning, slot 1 (low E) .. 6 (high E).
constexpr int kOpenPitch[7] = {0, 5, 10, 15, 20, 24, 29};

int noteSymbolX(int k) {
    return 13 * (k - 1);
}

class PageRender : public PageTest {
  protected:
    int staffY(int pitch) const { return g.keys.staffY[pitch]; }
    // The note symbol k drawn for a note of the given pitch at column x, with or without flags.
    bool noteAt(int x, int pitch, int k, int width) const {
        return copied(d.picscore, d.picnotes, x - 10, staffY(pitch), noteSymbolX(k), 0, width, 24,
                      kAnd);
    }
    int notesDrawn() const {
        int n = 0;
        for (const auto& r : copies(d.picscore, d.picnotes))
            if (r.srcY == 0 && r.height == 24) ++n;
        return n;
    }
};

TEST_F(PageRender, KeySignatureSignsSitAtTheirPlacesAndTheTimeSignatureMovesWithTheKey) {
    note(16, single(6, 0));
    finish();

    g.song.songKey = 1;
    draw();
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 137), 0);
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 132), 0);

    g.song.songKey = 15;
    g.song.timeSig = 4;
    draw();
    const int sharpAt[7][2] = {{25, 56}, {30, 66}, {35, 53}, {40, 63},
                               {45, 73}, {49, 59}, {54, 70}};
    for (const auto& at : sharpAt)
        EXPECT_TRUE(copied(d.picscore, d.picnotes, at[0], at[1], 137, 0, 5, 18, kAnd))
            << at[0] << "," << at[1];
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 137), 7);
    // 4/4 is time signature 4: glyph at 11 * 4 + 239, placed at 2 * (15 + 16).
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 62, 66, 283, 0, 10, 28, kAnd));

    g.song.songKey = 14;
    g.song.timeSig = 1;
    draw();
    const int flatAt[7][2] = {{28, 70}, {32, 59}, {36, 73}, {40, 63}, {44, 77}, {48, 66}, {52, 80}};
    for (const auto& at : flatAt)
        EXPECT_TRUE(copied(d.picscore, d.picnotes, at[0], at[1], 132, 0, 5, 18, kAnd))
            << at[0] << "," << at[1];
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 60, 66, 250, 0, 10, 28, kAnd));

    g.song.songKey = 6;  // three flats
    g.song.timeSig = 0;
    draw();
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 132), 3);
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 36, 73, 132, 0, 5, 18, kAnd));
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 250), 0);
}

TEST_F(PageRender, BarLinesStandHalfAGapPlusSevenLeftOfANewBarOnStaffAndTab) {
    for (int k = 0; k < 5; ++k)
        note(16, single(6, 0));
    finish();
    g.song.timeSig = 2;  // 2/4: bars of 32 ticks
    draw();
    // Columns at 100, 180, 260, 340, 420: bars start at the third and the fifth.
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 249), 2);
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 213, 66, 249, 0, 1, 28, kAnd));
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 373, 66, 249, 0, 1, 28, kAnd));
    EXPECT_TRUE(copied(d.pictab, d.pictab, 213, 8, 595, 8, 1, 39, kAnd));
    // The tab bar line is really there: the end line's black copied onto white tab paper.
    EXPECT_EQ(d.pictab.pixel(213, 11), kRgbBlack);
    EXPECT_EQ(d.picscore.pixel(213, 70), kRgbBlack);

    g.song.timeSig = 0;
    draw();
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 249), 0);
    EXPECT_EQ(d.pictab.pixel(213, 11), kRgbWhite);
}

TEST_F(PageRender, NoteSymbolsComeFromTheDurationTableAndOnlyTheHighestNoteHasFlags) {
    note(16, single(6, 0));            // quarter: symbol 6
    note(8, {0, -1, -1, -1, -1, 0});   // eighth chord: flags on slot 6 only
    note(64, {0, -1, -1, -1, -1, 0});  // whole: full glyph on every string
    note(8, {5, 0, -1, -1, -1, -1});   // two strings of equal pitch
    finish();
    draw();
    EXPECT_TRUE(noteAt(100, kOpenPitch[6], 6, 13));
    EXPECT_TRUE(noteAt(180, kOpenPitch[6], 4, 13));
    EXPECT_TRUE(noteAt(180, kOpenPitch[1], 4, 7));
    EXPECT_TRUE(noteAt(260, kOpenPitch[6], 10, 13));
    EXPECT_TRUE(noteAt(260, kOpenPitch[1], 10, 13));
    // Fret 5 on the low E and the open A share a pitch: the lower slot carries the flags.
    EXPECT_TRUE(noteAt(340, kOpenPitch[2], 4, 13));
    EXPECT_TRUE(noteAt(340, kOpenPitch[2], 4, 7));
    EXPECT_EQ(notesDrawn(), 7);
}

TEST_F(PageRender, LedgerLinesFollowTheLowestAndHighestNoteOfAColumn) {
    note(16, single(1, 0));             // low E, pitch 5: three lines below
    note(16, single(6, 20));            // pitch 49: five lines above
    note(16, {1, -1, -1, -1, -1, 12});  // pitch 6 and 41: three below, three above
    note(16, single(4, 2));             // pitch 22: on the staff
    finish();
    draw();
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 88, 101, 233, 0, 12, 15, kAnd));
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 168, 31, 233, 0, 12, 29, kAnd));
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 248, 101, 233, 0, 12, 15, kAnd));
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 248, 45, 233, 0, 12, 15, kAnd));
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 233), 4);
    // Three ledger lines under the low E, 7 pixels apart.
    EXPECT_EQ(d.picscore.pixel(90, 101), kRgbBlack);
    EXPECT_EQ(d.picscore.pixel(90, 108), kRgbBlack);
    EXPECT_EQ(d.picscore.pixel(90, 115), kRgbBlack);
    EXPECT_EQ(d.picscore.pixel(90, 104), kRgbWhite);
    EXPECT_EQ(d.picscore.pixel(90, 122), kRgbWhite);
}

TEST_F(PageRender, SilentColumnsDrawOnlyARestAndLongRestsAreWholeRests) {
    note(16, kRest);
    note(80, kRest);  // longer than any symbol
    note(2, kRest);
    finish();
    draw();
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 90, 70, 8 * (6 + 18), 0, 8, 18, kAnd));
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 170, 70, 8 * (10 + 18), 0, 8, 18, kAnd));
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 250, 70, 8 * (1 + 18), 0, 8, 18, kAnd));
    EXPECT_EQ(copies(d.picscore, d.picnotes).size(), 3u);
    EXPECT_TRUE(copies(d.pictab, d.pictabno).empty());
}

TEST_F(PageRender, AHeldNoteLengthensItsSymbolWithinTheBarAndIsTiedAcrossTheBarLine) {
    note(16, single(6, 0));
    note(16, single(6, 24));
    note(16, single(6, 24));
    finish();
    g.song.timeSig = 2;  // bars of 32 ticks: the third column starts a new bar
    draw();
    const int p = kOpenPitch[6];
    EXPECT_TRUE(noteAt(100, p, 8, 13));  // half note: the first two columns
    EXPECT_FALSE(copied(d.picscore, d.picnotes, 170, staffY(p), noteSymbolX(6), 0, 13, 24, kAnd));
    // A new head after the bar line; a held string takes no part in the column's range, so its
    // symbol is drawn without flags.
    EXPECT_TRUE(noteAt(260, p, 6, 7));
    const int ty = staffY(p) + 24;
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 94, ty, 131, 22, 7, 4, kAnd));
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 245, ty, 138, 22, 7, 4, kAnd));
    EXPECT_TRUE(copied(d.picscore, d.picscore, 101, ty + 3, 300, 66, 145, 1, kAnd));
    EXPECT_EQ(d.picscore.pixel(150, ty + 3), kRgbBlack);
    // Held notes print no fret number: only the struck one does.
    EXPECT_EQ(copies(d.pictab, d.pictabno).size(), 1u);

    // Without bars the held columns only lengthen the note: a dotted half, no tie.
    g.song.timeSig = 0;
    draw();
    EXPECT_TRUE(noteAt(100, p, 9, 13));
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 131), 0);
    EXPECT_EQ(notesDrawn(), 1);
}

TEST_F(PageRender, FretNumbersAreCountedFromTheCapo) {
    note(16, single(3, 5));
    note(16, single(3, 1));  // below the capo: no number the sheet could show
    note(16, single(3, 2));  // the capo fret itself: 0
    finish();
    g.song.capo = 2;
    draw();
    EXPECT_TRUE(copied(d.pictab, d.pictabno, 88, 26, 36, 0, 12, 8, kCopy));
    EXPECT_TRUE(copied(d.pictab, d.pictabno, 248, 26, 0, 0, 12, 8, kCopy));
    EXPECT_EQ(copies(d.pictab, d.pictabno).size(), 2u);
    // The note below the capo is still drawn on the staff.
    EXPECT_EQ(notesDrawn(), 3);
}

TEST_F(PageRender, TheHighestFretHasNoNumberCellButStillDrawsItsNote) {
    note(16, single(6, 23));
    finish();
    draw();
    EXPECT_TRUE(copies(d.pictab, d.pictabno).empty());
    EXPECT_TRUE(noteAt(100, kOpenPitch[6] + 23, 6, 13));
}

TEST_F(PageRender, MutedStringsShowCrossesAndBendsALetterAndASemitoneUp) {
    note(16, single(1, -4));
    note(16, single(6, 2));
    note(16, single(6, -3));
    finish();
    draw();
    // Muted: small cross on the tab line, large cross over a head at the open-string pitch.
    EXPECT_TRUE(copied(d.pictab, d.pictabno, 88, 42, 283, 0, 12, 8, kCopy));
    EXPECT_TRUE(noteAt(100, kOpenPitch[1], 6, 13));
    EXPECT_TRUE(
        copied(d.picscore, d.pictabno, 89, staffY(kOpenPitch[1]) + 18, 296, 2, 7, 6, kCopy));
    // Bend: the letter B and a note one semitone above fret 2.
    EXPECT_TRUE(copied(d.pictab, d.pictabno, 248, 2, 275, 0, 12, 8, kCopy));
    EXPECT_TRUE(noteAt(260, kOpenPitch[6] + 3, 6, 13));
}

TEST_F(PageRender, AccidentalsFollowTheKey) {
    note(16, single(1, 2));  // F#
    note(16, single(1, 1));  // F
    finish();
    g.song.songKey = 1;  // C major with sharps: F# takes a sharp, F nothing
    setkey(g);
    draw();
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 83, staffY(7) + 10, 137, 0, 5, 18, kAnd));
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 142), 0);
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 137), 1);

    g.song.songKey = 3;  // G major: F# is in the key, F needs a natural
    setkey(g);
    draw();
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 137), 1);  // only the key signature's sharp
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 163, staffY(6) + 10, 142, 0, 5, 18, kAnd));
}

TEST_F(PageRender, TripletDurationsGetTheDigitThree) {
    note(5, single(6, 0));
    note(11, single(6, 0));
    note(6, single(6, 0));
    finish();
    draw();
    const int top = kOpenPitch[6];
    EXPECT_TRUE(copied(d.picscore, d.pictabno, 89, 85 - top, 38, 0, 7, 9, kCopy));
    EXPECT_TRUE(copied(d.picscore, d.pictabno, 169, 85 - top, 38, 0, 7, 9, kCopy));
    EXPECT_EQ(countFrom(d.picscore, d.pictabno, 38), 2);
}

TEST_F(PageRender, AFullyHeldChordShowsGreyNumbersHeadsAndAJoinedStem) {
    note(16, {0, -1, -1, -1, -1, 0});
    note(16, {24, 24, 24, 24, 24, 24});
    finish();
    draw();
    // Every string of the second column holds: grey numbers of the held frets.
    EXPECT_EQ(copies(d.pictab, d.pictabnx).size(), 6u);
    EXPECT_TRUE(copied(d.pictab, d.pictabnx, 168, 2, 0, 0, 12, 8, kCopy));
    const int top = kOpenPitch[6];
    EXPECT_TRUE(copied(d.picscore, d.pictab, 176, 95 - top, 595, 10, 1, top - 5 + 10, kAnd));
    EXPECT_TRUE(noteAt(180, top, 6, 13));
    // Each held string is tied to its column; strings not struck on this page from x = 0.
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 165, staffY(top) + 24, 138, 22, 7, 4, kAnd));
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 94, staffY(top) + 24, 131, 22, 7, 4, kAnd));
    EXPECT_TRUE(
        copied(d.picscore, d.picnotes, -6, staffY(kOpenPitch[3]) + 24, 131, 22, 7, 4, kAnd));
}

TEST_F(PageRender, TitlesShowOnThePageOneOnlyAndTheCountersAreReset) {
    note(16, single(6, 0));
    endPage();
    note(16, single(6, 0));
    finish();
    g.playback.noteTicks = 7;
    g.playback.beatTick = 5;
    draw(2);
    EXPECT_EQ(g.song.curPage, 2);
    EXPECT_FALSE(g.ui.lbltitle.visible);
    EXPECT_FALSE(g.ui.lblleft.visible);
    EXPECT_FALSE(g.ui.lblright.visible);
    EXPECT_EQ(g.playback.noteTicks, 0);
    EXPECT_EQ(g.playback.beatTick, 0);
    draw(1);
    EXPECT_TRUE(g.ui.lbltitle.visible);
    EXPECT_TRUE(g.ui.lblleft.visible);
    EXPECT_TRUE(g.ui.lblright.visible);
}

TEST_F(PageRender, TheTimerPausesForTheRedrawAndWindingSpeedsUp) {
    note(16, single(6, 0));
    finish();
    g.ntimer.enabled = true;
    g.ntimer.interval = 36;
    const int swapper = d.swapperRefreshes;
    draw();
    EXPECT_TRUE(g.ntimer.enabled);
    EXPECT_EQ(g.ntimer.interval, 36);
    EXPECT_EQ(d.swapperRefreshes, swapper + 1);

    g.ntimer.enabled = false;
    g.playback.winding = -1;
    g.playback.windInterval = 5;
    draw();
    EXPECT_FALSE(g.ntimer.enabled);
    EXPECT_EQ(g.ntimer.interval, 4);
    draw();
    EXPECT_EQ(g.ntimer.interval, 4);  // never below 4
}

TEST_F(PageRender, APageWithoutNotesShowsTheEmptyStaff) {
    note(16, single(6, 0));
    endPage();
    finish();  // the second page holds no notes
    draw(2);
    EXPECT_TRUE(copies(d.picscore, d.picnotes).empty());
    EXPECT_TRUE(copies(d.pictab, d.pictabno).empty());
    EXPECT_EQ(d.picscore.pixel(300, 66), kRgbBlack);
    EXPECT_EQ(d.pictab.pixel(300, 7), kRgbBlack);
}

TEST_F(PageRender, CodesOutsideTheTablesDrawNothingWrong) {
    note(16, single(6, 60));             // not a fret code: a silent string
    note(90, single(6, 0));              // a control code inside a page: no column
    note(16, {-7, 30, -1, -1, -1, -1});  // unknown code; fret 6 held, nothing struck
    note(-3, single(6, 0));              // a negative length: the shortest symbol
    finish();
    g.song.timeSig = 9;  // no such time signature: no bars
    g.song.songKey = 40;
    draw();
    // Column 1 is a rest, column 2 is skipped, column 3 only holds, column 4 is drawn.
    EXPECT_TRUE(copied(d.picscore, d.picnotes, 90, 70, 8 * (6 + 18), 0, 8, 18, kAnd));
    EXPECT_EQ(countFrom(d.picscore, d.picnotes, 249), 0);
    EXPECT_EQ(notesDrawn(), 1);
    EXPECT_TRUE(noteAt(340, kOpenPitch[6], 1, 13));

    g.ui.pgScroll.max = 40;
    draw(40);  // a page number past the page table
    EXPECT_EQ(g.song.curPage, 29);
}

TEST_F(PageRender, AHeldChordOnAPageOpenedFirstTakesThePitchesOfItsFrets) {
    note(64, {0, -1, -1, -1, -1, 3});
    endPage();
    note(16, {24, 24, 24, 24, 24, 27});
    finish();
    draw(2);
    const int p = kOpenPitch[6] + 3;
    EXPECT_EQ(d.stringPitch[6], p);
    EXPECT_EQ(d.stringPitch[1], kOpenPitch[1]);
    EXPECT_TRUE(noteAt(100, p, 6, 13));
    EXPECT_TRUE(noteAt(100, kOpenPitch[1], 6, 7));
    // Tied from the start of the line.
    EXPECT_TRUE(copied(d.picscore, d.picnotes, -6, staffY(p) + 24, 131, 22, 7, 4, kAnd));
}

// The inversion of the marked stretch, on a page cleared to its background as the redraw does
// before any note is drawn.
TEST_F(PageRender, MarkedRangeInvertsTheTablatureFromFifteenLeftOfItsFirstNote) {
    note(16, single(6, 0));
    note(16, single(6, 0));
    endPage();
    note(16, single(6, 0));
    finish();
    auto markPage = [&](int page, int markStart, int markEnd) {
        clearPagePictures(g);
        drawMarkedRange(g, pageRunOf(g, page), markStart, markEnd);
    };

    // The whole first page, up to its end-of-page note at x = 595.
    markPage(1, 1, 3);
    EXPECT_EQ(d.pictab.pixel(85, 3), kRgbBlack);
    EXPECT_EQ(d.pictab.pixel(597, 3), kRgbBlack);
    EXPECT_EQ(d.pictab.pixel(84, 3), kRgbWhite);
    EXPECT_EQ(d.pictab.pixel(598, 3), kRgbWhite);
    EXPECT_EQ(d.pictab.pixel(300, 0), kRgbWhite);
    // A tab line shows as the edges where it meets the paper.
    EXPECT_EQ(d.pictab.pixel(300, 7), kRgbWhite);
    EXPECT_EQ(d.pictab.pixel(300, 8), kRgbWhite);

    // One marked note: from 15 left of it to 3 right of it.
    markPage(1, 2, 2);
    EXPECT_EQ(d.pictab.pixel(165, 3), kRgbBlack);
    EXPECT_EQ(d.pictab.pixel(182, 3), kRgbBlack);
    EXPECT_EQ(d.pictab.pixel(183, 3), kRgbWhite);
    EXPECT_EQ(d.pictab.pixel(164, 3), kRgbWhite);

    // A mark that ends before the page, or starts at its end-of-page note, leaves it unmarked;
    // so does no mark at all.
    markPage(2, 1, 3);
    EXPECT_EQ(d.pictab.pixel(100, 3), kRgbWhite);
    markPage(1, 3, 4);
    EXPECT_EQ(d.pictab.pixel(100, 3), kRgbWhite);
    EXPECT_EQ(d.pictab.pixel(590, 3), kRgbWhite);
    markPage(1, 0, 2);
    EXPECT_EQ(d.pictab.pixel(100, 3), kRgbWhite);
    // A mark running backwards (its end before its start) inverts nothing.
    markPage(1, 2, 1);
    EXPECT_EQ(d.pictab.pixel(100, 3), kRgbWhite);
    EXPECT_EQ(d.pictab.pixel(180, 3), kRgbWhite);
}

TEST_F(PageRender, PicturePagesShowTheirCellOfThePageStore) {
    note(16, single(6, 0));
    endPage();
    note(16, single(6, 0));
    finish();
    d.pagewindow.resize(20, 30);
    d.pagewindow.setPixel(3, 17, kRgbBlack);  // inside the second of three cells
    d.pagewindowCells.rows = 3;
    g.ui.pagepic.visible = true;
    draw(2);
    EXPECT_TRUE(g.ui.pagepic.visible);
    EXPECT_EQ(d.pagepic.width(), 20);
    EXPECT_EQ(d.pagepic.height(), 10);
    EXPECT_EQ(d.pagepic.pixel(3, 7), kRgbBlack);
    EXPECT_TRUE(scoreLog.empty());  // the drawn pages are left alone

    // A page past the store shows its last cell; a store cut into no cells is shown whole.
    d.pagewindow.setPixel(4, 25, kRgbBlack);  // inside the last cell
    draw(5);
    EXPECT_EQ(d.pagepic.pixel(4, 5), kRgbBlack);
    d.pagewindowCells.rows = 0;
    draw(2);
    EXPECT_EQ(d.pagepic.height(), 30);
    EXPECT_EQ(d.pagepic.pixel(3, 17), kRgbBlack);

    // The chord library draws pages even while its strip is shown.
    g.app.appMode = kModeChords;
    draw(1);
    EXPECT_FALSE(scoreLog.empty());
}

TEST(PagePictures, MissingSheetsAreReportedOnceAndDrawNothing) {
    Rig rig;
    rig.defaults();
    Guitar& g = rig.g();
    FakePictureIO emptyFolder;
    g.sys.pictures = &emptyFolder;
    loadPagePictures(g);
    loadPagePictures(g);
    EXPECT_EQ(rig.dialogs.messages.size(), 5u);
    g.song.noteCount = 1;
    g.song.noteDur[1] = 16;
    g.song.noteFret(1, 6) = 0;
    g.song.pageStart[1] = 1;
    g.song.pageStart[2] = 3;
    g.song.noteX[1] = 100;
    g.song.noteX[2] = 595;
    g.ui.pgScroll.value = 1;
    g.ui.pagepic.visible = false;
    pgScroll_Change(g);
    EXPECT_EQ(g.display.picscore.width(), 601);
    EXPECT_EQ(g.display.pictab.height(), 54);
    EXPECT_EQ(g.display.picscore.pixel(90, 70), kRgbWhite);
}

}  // namespace
}  // namespace lutavo::test
