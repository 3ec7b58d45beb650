// SPDX-License-Identifier: GPL-3.0-or-later
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
    drawWith(15, 4);  // seven sharps; 4/4 is glyph 11 * 4 + 239, placed at 2 * (15 + 16)
    for (auto [x, y] : {P{25, 56}, {30, 66}, {35, 53}, {40, 63}, {45, 73}, {49, 59}, {54, 70}})
        EXPECT_TRUE(glyph({x, y, 137, 0, 5, 18})) << x;
    EXPECT_EQ(glyphs(137), 7);
    EXPECT_TRUE(glyph({62, 66, 283, 0, 10, 28}));
}

TEST_F(PageRender, BarLinesStandHalfAGapPlusSevenLeftOfANewBarOnStaffAndTab) {
    for (int k = 0; k < 5; ++k)
        note(16, single(6, 0));
    finish();
    drawWith(1, 2);  // 2/4: columns at 100 .. 420, bars start at the third and the fifth
    EXPECT_EQ(glyphs(249), 2);
    EXPECT_TRUE(glyph({373, 66, 249, 0, 1, 28}));
    // The end line's black really lands on the white tab paper.
    EXPECT_EQ(d.pictab.pixel(213, 11), kRgbBlack);
    EXPECT_EQ(d.picscore.pixel(213, 70), kRgbBlack);
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
    // Held notes print no fret number: only the struck one does.
    EXPECT_EQ(copies(d.pictab, d.pictabno).size(), 1u);
}

TEST_F(PageRender, FretNumbersAreCountedFromTheCapo) {
    note(16, single(3, 5));
    note(16, single(3, 1));  // below the capo: no number the sheet could show
    note(16, single(3, 2));  // the capo fret itself: 0
    finish();
    g.song.capo = 2;
    draw();
    EXPECT_TRUE(onTab(d.pictabno, 88, 26, 36));
    EXPECT_TRUE(onTab(d.pictabno, 248, 26, 0));
    EXPECT_EQ(copies(d.pictab, d.pictabno).size(), 2u);
}

TEST_F(PageRender, TitlesShowOnPageOneOnly) {
    note(16, single(6, 0));
    endPage();
    note(16, single(6, 0));
    finish();
    auto titles = [&] {
        return std::array{g.ui.lbltitle.visible, g.ui.lblleft.visible, g.ui.lblright.visible};
    };
    draw(2);
    EXPECT_EQ(titles(), (std::array{false, false, false}));
    draw(1);
    EXPECT_EQ(titles(), (std::array{true, true, true}));
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
        clearPagePictures(g.display);
        drawMarkedRange(g.song, g.display, pageRunOf(g.song, page), markStart, markEnd);
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
    EXPECT_EQ(std::tuple(d.pagepic.height(), d.pagepic.pixel(3, 7), scoreLog.empty()),
              std::tuple(10, kRgbBlack, true));
    // A page past the store shows its last cell.
    d.pagewindow.setPixel(4, 25, kRgbBlack);
    draw(5);
    EXPECT_EQ(d.pagepic.pixel(4, 5), kRgbBlack);
}

}  // namespace
}  // namespace lutavo::test
