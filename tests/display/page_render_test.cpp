// Drawing a page: which glyph goes where, with which copy.

#include <gtest/gtest.h>

#include <utility>

#include "app/song_tables.h"
#include "display/page_draw.h"
#include "display/page_fixture.h"
#include "display/page_glyphs.h"
#include "display/page_render.h"
#include "fakes/fake_pictures.h"
#include "theory/keys.h"

namespace lutavo::test {
namespace {

using P = std::pair<int, int>;

// Notation pitch of an open string in standard tuning, slot 1 (low E) .. 6 (high E).
constexpr int kOpenPitch[7] = {0, 5, 10, 15, 20, 24, 29};
constexpr int kTop = kOpenPitch[6];

class PageRender : public PageTest {
  protected:
    int staffY(int pitch) const { return g.keys.staffY[pitch]; }
    // A copy from the note glyphs onto the staff, and the count of those from source x.
    bool glyph(Rect r) const { return copied(d.picscore, d.picnotes, r, RasterOp::And); }
    int glyphs(int srcX) const { return countFrom(d.picscore, d.picnotes, srcX); }
    // A fret glyph copied from `sheet` onto the tab.
    bool onTab(const Picture& sheet, int x, int y, int srcX) const {
        return copied(d.pictab, sheet, {x, y, srcX, 0, 12, 8}, RasterOp::Copy);
    }
    // The note symbol k drawn for a note of the given pitch at column x, with or without flags.
    bool noteAt(int x, int pitch, int k, int width) const {
        return glyph({x - 10, staffY(pitch), 13 * (k - 1), 0, width, 24});
    }
    // A tie piece (131: start, 138: end) under the note of the given pitch.
    bool tie(int x, int pitch, int srcX) const {
        return glyph({x, staffY(pitch) + 24, srcX, 22, 7, 4});
    }
    int notesDrawn() const {
        int n = 0;
        for (const auto& r : copies(d.picscore, d.picnotes))
            if (r.srcY == 0 && r.height == 24) ++n;
        return n;
    }
    void drawWith(int key, int timeSig, int page = 1) {
        g.song.songKey = static_cast<i16>(key);
        g.song.timeSig = static_cast<i16>(timeSig);
        draw(page);
    }
    void expectTab(std::initializer_list<P> pixels, Rgb colour) const {
        for (auto [x, y] : pixels)
            EXPECT_EQ(d.pictab.pixel(x, y), colour) << x << "," << y;
    }
};

TEST_F(PageRender, KeySignatureSignsSitAtTheirPlacesAndTheTimeSignatureMovesWithTheKey) {
    note(16, single(6, 0));
    finish();
    drawWith(1, 0);
    EXPECT_EQ(glyphs(137) + glyphs(132), 0);

    drawWith(15, 4);  // seven sharps; 4/4 is glyph 11 * 4 + 239, placed at 2 * (15 + 16)
    for (auto [x, y] : {P{25, 56}, {30, 66}, {35, 53}, {40, 63}, {45, 73}, {49, 59}, {54, 70}})
        EXPECT_TRUE(glyph({x, y, 137, 0, 5, 18})) << x;
    EXPECT_EQ(glyphs(137), 7);
    EXPECT_TRUE(glyph({62, 66, 283, 0, 10, 28}));

    drawWith(14, 1);  // seven flats
    for (auto [x, y] : {P{28, 70}, {32, 59}, {36, 73}, {40, 63}, {44, 77}, {48, 66}, {52, 80}})
        EXPECT_TRUE(glyph({x, y, 132, 0, 5, 18})) << x;
    EXPECT_TRUE(glyph({60, 66, 250, 0, 10, 28}));
    drawWith(6, 0);  // three flats
    EXPECT_EQ(glyphs(132), 3);
}

TEST_F(PageRender, BarLinesStandHalfAGapPlusSevenLeftOfANewBarOnStaffAndTab) {
    for (int k = 0; k < 5; ++k)
        note(16, single(6, 0));
    finish();
    drawWith(1, 2);  // 2/4: columns at 100 .. 420, bars start at the third and the fifth
    EXPECT_EQ(glyphs(249), 2);
    EXPECT_TRUE(glyph({213, 66, 249, 0, 1, 28}));
    EXPECT_TRUE(glyph({373, 66, 249, 0, 1, 28}));
    EXPECT_TRUE(copied(d.pictab, d.pictab, {213, 8, 595, 8, 1, 39}, RasterOp::And));
    // The end line's black really lands on the white tab paper.
    EXPECT_EQ(d.pictab.pixel(213, 11), kRgbBlack);
    EXPECT_EQ(d.picscore.pixel(213, 70), kRgbBlack);

    drawWith(1, 0);
    EXPECT_EQ(glyphs(249), 0);
    EXPECT_EQ(d.pictab.pixel(213, 11), kRgbWhite);
}

TEST_F(PageRender, NoteSymbolsComeFromTheDurationTableAndOnlyTheHighestNoteHasFlags) {
    note(16, single(6, 0));            // quarter: symbol 6
    note(8, {0, -1, -1, -1, -1, 0});   // eighth chord: flags on slot 6 only
    note(64, {0, -1, -1, -1, -1, 0});  // whole: full glyph on every string
    note(8, {5, 0, -1, -1, -1, -1});   // fret 5 on low E and open A: the lower slot has flags
    finish();
    draw();
    const int p2 = kOpenPitch[2];
    for (auto [x, pitch, k, w] : {std::array{100, kTop, 6, 13},
                                  {180, kTop, 4, 13},
                                  {180, kOpenPitch[1], 4, 7},
                                  {260, kTop, 10, 13},
                                  {260, kOpenPitch[1], 10, 13},
                                  {340, p2, 4, 13},
                                  {340, p2, 4, 7}})
        EXPECT_TRUE(noteAt(x, pitch, k, w)) << x << " " << pitch << " " << w;
    EXPECT_EQ(notesDrawn(), 7);
}

TEST_F(PageRender, LedgerLinesFollowTheLowestAndHighestNoteOfAColumn) {
    note(16, single(1, 0));             // low E, pitch 5: three lines below
    note(16, single(6, 20));            // pitch 49: five lines above
    note(16, {1, -1, -1, -1, -1, 12});  // pitch 6 and 41: three below, three above
    note(16, single(4, 2));             // pitch 22: on the staff
    finish();
    draw();
    for (Rect r : {Rect{88, 101, 233, 0, 12, 15},
                   {168, 31, 233, 0, 12, 29},
                   {248, 101, 233, 0, 12, 15},
                   {248, 45, 233, 0, 12, 15}})
        EXPECT_TRUE(glyph(r)) << r[0] << "," << r[1];
    EXPECT_EQ(glyphs(233), 4);
}

TEST_F(PageRender, SilentColumnsDrawOnlyARestAndLongRestsAreWholeRests) {
    note(16, kRest);
    note(80, kRest);  // longer than any symbol
    note(2, kRest);
    finish();
    draw();
    EXPECT_TRUE(glyph({90, 70, 8 * (6 + 18), 0, 8, 18}));
    EXPECT_TRUE(glyph({170, 70, 8 * (10 + 18), 0, 8, 18}));
    EXPECT_TRUE(glyph({250, 70, 8 * (1 + 18), 0, 8, 18}));
    EXPECT_EQ(copies(d.picscore, d.picnotes).size(), 3u);
    EXPECT_TRUE(copies(d.pictab, d.pictabno).empty());
}

TEST_F(PageRender, AHeldNoteLengthensItsSymbolWithinTheBarAndIsTiedAcrossTheBarLine) {
    note(16, single(6, 0));
    note(16, single(6, 24));
    note(16, single(6, 24));
    finish();
    drawWith(1, 2);                         // bars of 32 ticks: the third column starts a new bar
    EXPECT_TRUE(noteAt(100, kTop, 8, 13));  // half note: the first two columns
    EXPECT_FALSE(noteAt(180, kTop, 6, 13));
    // A new head after the bar line; a held string takes no part in the column's range, so its
    // symbol is drawn without flags.
    EXPECT_TRUE(noteAt(260, kTop, 6, 7));
    EXPECT_TRUE(tie(94, kTop, 131));
    EXPECT_TRUE(tie(245, kTop, 138));
    const int ty = staffY(kTop) + 24;
    EXPECT_TRUE(copied(d.picscore, d.picscore, {101, ty + 3, 300, 66, 145, 1}, RasterOp::And));
    // Held notes print no fret number: only the struck one does.
    EXPECT_EQ(copies(d.pictab, d.pictabno).size(), 1u);

    drawWith(1, 0);  // without bars the held columns make a dotted half, no tie
    EXPECT_TRUE(noteAt(100, kTop, 9, 13));
    EXPECT_EQ(glyphs(131), 0);
    EXPECT_EQ(notesDrawn(), 1);
}

TEST_F(PageRender, FretNumbersAreCountedFromTheCapoAndTheHighestFretHasNoCell) {
    note(16, single(3, 5));
    note(16, single(3, 1));  // below the capo: no number the sheet could show
    note(16, single(3, 2));  // the capo fret itself: 0
    finish();
    g.song.capo = 2;
    draw();
    EXPECT_TRUE(onTab(d.pictabno, 88, 26, 36));
    EXPECT_TRUE(onTab(d.pictabno, 248, 26, 0));
    EXPECT_EQ(copies(d.pictab, d.pictabno).size(), 2u);
    EXPECT_EQ(notesDrawn(), 3);  // the note below the capo is still drawn on the staff

    // The highest fret has no number cell but still draws its note.
    g.song.capo = 0;
    g.song.noteFret(1, 3) = kSilent;
    g.song.noteFret(1, 6) = 23;
    draw();
    for (const auto& r : copies(d.pictab, d.pictabno))
        EXPECT_NE(r.destX, 88) << "nothing on the first column's tab";
    EXPECT_TRUE(noteAt(100, kTop + 23, 6, 13));
}

TEST_F(PageRender, MutedStringsShowCrossesAndBendsALetterAndASemitoneUp) {
    note(16, single(1, -4));
    note(16, single(6, 2));
    note(16, single(6, -3));
    finish();
    draw();
    // Muted: small cross on the tab line, large cross over a head at the open-string pitch.
    EXPECT_TRUE(onTab(d.pictabno, 88, 42, 283));
    EXPECT_TRUE(noteAt(100, kOpenPitch[1], 6, 13));
    const Rect cross{89, staffY(kOpenPitch[1]) + 18, 296, 2, 7, 6};
    EXPECT_TRUE(copied(d.picscore, d.pictabno, cross, RasterOp::Copy));
    // Bend: the letter B and a note one semitone above fret 2.
    EXPECT_TRUE(onTab(d.pictabno, 248, 2, 275));
    EXPECT_TRUE(noteAt(260, kTop + 3, 6, 13));
}

TEST_F(PageRender, AccidentalsFollowTheKey) {
    note(16, single(1, 2));  // F#
    note(16, single(1, 1));  // F
    finish();
    g.song.songKey = 1;  // C major with sharps: F# takes a sharp, F nothing
    setkey(g);
    draw();
    EXPECT_TRUE(glyph({83, staffY(7) + 10, 137, 0, 5, 18}));
    EXPECT_EQ(glyphs(142), 0);
    EXPECT_EQ(glyphs(137), 1);

    g.song.songKey = 3;  // G major: F# is in the key, F needs a natural
    setkey(g);
    draw();
    EXPECT_EQ(glyphs(137), 1);  // only the key signature's sharp
    EXPECT_TRUE(glyph({163, staffY(6) + 10, 142, 0, 5, 18}));
}

TEST_F(PageRender, TripletDurationsGetTheDigitThree) {
    note(5, single(6, 0));
    note(11, single(6, 0));
    note(6, single(6, 0));
    finish();
    draw();
    for (int x : {89, 169})
        EXPECT_TRUE(copied(d.picscore, d.pictabno, {x, 85 - kTop, 38, 0, 7, 9}, RasterOp::Copy));
    EXPECT_EQ(countFrom(d.picscore, d.pictabno, 38), 2);
}

TEST_F(PageRender, AFullyHeldChordShowsGreyNumbersHeadsAndAJoinedStem) {
    note(16, {0, -1, -1, -1, -1, 0});
    note(16, {24, 24, 24, 24, 24, 24});
    finish();
    draw();
    // Every string of the second column holds: grey numbers of the held frets.
    EXPECT_EQ(copies(d.pictab, d.pictabnx).size(), 6u);
    EXPECT_TRUE(onTab(d.pictabnx, 168, 2, 0));
    const Rect stem{176, 95 - kTop, 595, 10, 1, kTop - 5 + 10};
    EXPECT_TRUE(copied(d.picscore, d.pictab, stem, RasterOp::And));
    EXPECT_TRUE(noteAt(180, kTop, 6, 13));
    // Each held string is tied to its column; strings not struck on this page from x = 0.
    EXPECT_TRUE(tie(165, kTop, 138));
    EXPECT_TRUE(tie(94, kTop, 131));
    EXPECT_TRUE(tie(-6, kOpenPitch[3], 131));
}

TEST_F(PageRender, TitlesShowOnThePageOneOnlyAndTheCountersAreReset) {
    note(16, single(6, 0));
    endPage();
    note(16, single(6, 0));
    finish();
    g.playback.noteTicks = 7;
    g.playback.beatTick = 5;
    auto titles = [&] {
        return std::array{g.ui.lbltitle.visible, g.ui.lblleft.visible, g.ui.lblright.visible};
    };
    draw(2);
    EXPECT_EQ(g.song.curPage, 2);
    EXPECT_EQ(titles(), (std::array{false, false, false}));
    EXPECT_EQ(g.playback.noteTicks, 0);
    EXPECT_EQ(g.playback.beatTick, 0);
    draw(1);
    EXPECT_EQ(titles(), (std::array{true, true, true}));
}

TEST_F(PageRender, TheTimerPausesForTheRedrawAndWindingSpeedsUp) {
    note(16, single(6, 0));
    finish();
    g.ntimer.enabled = true;
    g.ntimer.interval = 36;
    const int swapper = d.swapperRefreshes;
    draw();
    EXPECT_EQ(std::tuple(g.ntimer.enabled, g.ntimer.interval, d.swapperRefreshes),
              std::tuple(true, 36, swapper + 1));

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
    drawWith(40, 9);  // no such key or time signature: no bars
    // Column 1 is a rest, column 2 is skipped, column 3 only holds, column 4 is drawn.
    EXPECT_TRUE(glyph({90, 70, 8 * (6 + 18), 0, 8, 18}));
    EXPECT_EQ(glyphs(249), 0);
    EXPECT_EQ(notesDrawn(), 1);
    EXPECT_TRUE(noteAt(340, kTop, 1, 13));

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
    EXPECT_EQ(d.stringPitch[6], kTop + 3);
    EXPECT_EQ(d.stringPitch[1], kOpenPitch[1]);
    EXPECT_TRUE(noteAt(100, kTop + 3, 6, 13));
    EXPECT_TRUE(noteAt(100, kOpenPitch[1], 6, 7));
    EXPECT_TRUE(tie(-6, kTop + 3, 131));  // tied from the start of the line
}

// The inversion of the marked stretch, on a page cleared to its background as the redraw does
// before any note is drawn.
TEST_F(PageRender, MarkedRangeInvertsTheTablatureFromFifteenLeftOfItsFirstNote) {
    note(16, single(6, 0));
    note(16, single(6, 0));
    endPage();
    note(16, single(6, 0));
    finish();
    auto mark = [&](int page, int markStart, int markEnd) {
        clearPagePictures(g);
        drawMarkedRange(g, pageRunOf(g, page), markStart, markEnd);
    };
    // The whole first page, up to its end-of-page note at x = 595; a tab line shows as the
    // edges where it meets the paper.
    mark(1, 1, 3);
    expectTab({{85, 3}, {597, 3}}, kRgbBlack);
    expectTab({{84, 3}, {598, 3}, {300, 0}, {300, 7}, {300, 8}}, kRgbWhite);
    // One marked note: from 15 left of it to 3 right of it.
    mark(1, 2, 2);
    expectTab({{165, 3}, {182, 3}}, kRgbBlack);
    expectTab({{164, 3}, {183, 3}}, kRgbWhite);
    // A mark that ends before the page, starts at its end-of-page note, is missing or runs
    // backwards leaves the page unmarked.
    for (auto [page, from, to] : {std::array{2, 1, 3}, {1, 3, 4}, {1, 0, 2}, {1, 2, 1}}) {
        mark(page, from, to);
        expectTab({{100, 3}, {180, 3}, {590, 3}}, kRgbWhite);
    }
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
    // The picture page is shown; the drawn pages are left alone.
    EXPECT_EQ(std::tuple(g.ui.pagepic.visible, d.pagepic.width(), d.pagepic.height(),
                         d.pagepic.pixel(3, 7), scoreLog.empty()),
              std::tuple(true, 20, 10, kRgbBlack, true));

    // A page past the store shows its last cell; a store cut into no cells is shown whole.
    d.pagewindow.setPixel(4, 25, kRgbBlack);
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

TEST_F(PageRender, MissingSheetsAreReportedOnceAndDrawNothing) {
    FakePictureIO emptyFolder;
    g.sys.pictures = &emptyFolder;
    rig.dialogs.messages.clear();
    loadPagePictures(g);
    loadPagePictures(g);
    EXPECT_EQ(rig.dialogs.messages.size(), 5u);
    note(16, single(6, 0));
    finish();
    draw();
    EXPECT_EQ(std::tuple(d.picscore.width(), d.pictab.height(), d.picscore.pixel(90, 70)),
              std::tuple(601, 54, kRgbWhite));
}

}  // namespace
}  // namespace lutavo::test
