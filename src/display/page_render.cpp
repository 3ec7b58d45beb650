// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/page_render.h"

#include <algorithm>

#include "core/guitar.h"
#include "display/page_draw.h"
#include "display/page_glyphs.h"

namespace lutavo {

namespace {

void refreshSwapper(DisplayState& display) {
    ++display.swapperRefreshes;
}

// The cells of the page store; a store cut into no cells is shown whole.
CellGrid pageCells(const DisplayState& d) {
    const CellGrid& cells = d.pagewindowCells;
    return cells.columns >= 1 && cells.rows >= 1 ? cells : CellGrid{};
}

void showPictureCell(DisplayState& display, WindowControls& ui, int index) {
    auto& d = display;
    const CellGrid cells = pageCells(d);
    ui.pagepic.visible = false;
    const int cell = clampTo(index, 0, cells.columns * cells.rows - 1);
    const int w = cells.cellWidth(d.pagewindow);
    const int h = cells.cellHeight(d.pagewindow);
    d.pagepic.resize(w, h);
    stamp(d.pagepic, 0, 0, d.pagewindow, cells.cellX(d.pagewindow, cell),
          cells.cellY(d.pagewindow, cell), w, h, RasterOp::Copy);
    ui.pagepic.visible = true;
    ++d.pageRedraws;
    refreshSwapper(display);
}

// A song whose pages are pictures shows the cell of the page store for the page chosen.
void showPicturePage(Guitar& g) {
    showPictureCell(g.display, g.ui, g.ui.pgScroll.value - 1);
}

void showTitles(WindowControls& ui, bool visible) {
    ui.lbltitle.visible = visible;
    ui.lblleft.visible = visible;
    ui.lblright.visible = visible;
}

// A song's titles head its first page only; pages with captions of their own (a scale's
// positions) keep the titles on every page, the caption naming the page.
void showPageTitles(DisplayState& display, WindowControls& ui, int page) {
    const auto& captions = display.pageCaptions;
    if (captions.empty()) {
        showTitles(ui, page == 1);
        return;
    }
    showTitles(ui, true);
    const int last = static_cast<int>(captions.size());
    ui.lblright.caption = captions[static_cast<std::size_t>(clampTo(page, 1, last) - 1)];
}

// The whole page at the scale the display draws at now.
void drawPageAtScale(Guitar& g) {
    clearPagePictures(g.display);
    // The page table has one entry more than pages, so the last page still has its end.
    const int page = clampTo(g.ui.pgScroll.value, 1, kMaxPages);
    showPageTitles(g.display, g.ui, g.ui.pgScroll.value);
    drawKeySignature(g.song, g.display);
    drawTimeSignature(g.song, g.display);

    g.transport.curPage = static_cast<i16>(page);
    PageRun run = pageRunOf(g.song, page);
    // The editor's marked range, in order even when a click on the page put its end first.
    const auto& ed = g.editor;
    if (ed.markStart > 0) {
        drawMarkedRange(g.song, g.display, run, std::min(ed.markStart, ed.markEnd),
                        std::max(ed.markStart, ed.markEnd));
    }

    drawPassageMarks(g.display, g.song, g.transport.range, run);

    g.display.barTickCount = 0;
    run.shownDur.fill(0);
    run.tieStartX.fill(0);
    for (int i = std::max(run.first, 1); i <= run.next - 2; ++i)
        drawColumn(g, run, i);
}

// The page at the window's scale, then again from the same starting values at each finer scale
// in use, so that every scale shows the same page.
void drawPage(Guitar& g) {
    auto& d = g.display;
    const auto pitches = d.stringPitch;
    d.drawScale = 1;
    drawPageAtScale(g);
    const auto pitchesAfter = d.stringPitch;
    const i16 barTicksAfter = d.barTickCount;
    for (FinePage* fine : {&d.fine2, &d.fine4}) {
        if (!fine->inUse || !fine->loaded) continue;
        d.stringPitch = pitches;
        d.drawScale = fine->scale;
        drawPageAtScale(g);
    }
    d.drawScale = 1;
    d.stringPitch = pitchesAfter;
    d.barTickCount = barTicksAfter;
    ++d.pageRedraws;
}

}  // namespace

// The notes a page covers, kept inside the arrays whatever the page table holds.
PageRun pageRunOf(const SongModel& song, int page) {
    constexpr int kLastColumn = decltype(song.noteX)::upper - 1;
    PageRun run;
    run.first = clampTo(song.pageStart[page], 0, kLastColumn);
    run.next = clampTo(song.pageStart[page + 1], 0, kLastColumn + 1);
    run.halfGap =
        static_cast<int>(roundHalfEven((song.noteX[run.first + 1] - song.noteX[run.first]) / 2.0));
    return run;
}

// Inverts the marked stretch of the tablature (the picture against itself one pixel higher).
void drawMarkedRange(SongModel& song, DisplayState& display, const PageRun& run, int markStart,
                     int markEnd) {
    if (markStart <= 0) return;
    if (markEnd <= run.first - 1 || markStart >= run.next - 1) return;
    constexpr int kLast = decltype(song.noteX)::upper;
    const int a = clampTo(std::max(markStart, run.first), 0, kLast);
    const int b = clampTo(std::min(markEnd, run.next - 1), 0, kLast);
    const int left = song.noteX[a] - 15;
    const int width = song.noteX[b] - song.noteX[a] + 18;
    if (width <= 0) return;
    ink(display, PageSheet::Tab, left, 1, PageSheet::Tab, left, 0, width, 50, RasterOp::Xor);
}

void drawPassageMarks(DisplayState& d, const SongModel& song, const PlayRange& r,
                      const PageRun& run) {
    if (!r.marked()) return;
    constexpr Rgb kPassageColour = 0x1A8F3A;
    constexpr int kStroke = 2, kSerif = 6;
    const int last = r.lastIn(song.noteCount);
    const std::pair<int, int> ends[] = {{r.first, -16}, {last, 6}};
    for (const auto& [n, offset] : ends) {
        if (n < std::max(run.first, 1) || n > run.next - 2) continue;
        const int x = song.noteX[n] + offset;
        // The serifs point into the passage.
        const int serifX = offset < 0 ? x : x + kStroke - kSerif;
        for (const auto& [sheet, height] : {std::pair{PageSheet::Score, glyph::kScoreHeight},
                                            std::pair{PageSheet::Tab, glyph::kTabHeight}}) {
            fill(d, sheet, x, 0, kStroke, height, kPassageColour);
            fill(d, sheet, serifX, 0, kSerif, kStroke, kPassageColour);
            fill(d, sheet, serifX, height - kStroke, kSerif, kStroke, kPassageColour);
        }
    }
}

void plainPageHeader(DisplayState& display) {
    display.tuningHeader = false;
    display.pageCaptions.clear();
}

void showFirstPicturePage(Guitar& g) {
    showPictureCell(g.display, g.ui, 0);
}

void drawPageAgain(Guitar& g) {
    if (g.ui.pagepic.visible && !isLibraryMode(g.app.appMode)) return;
    const bool wasRunning = g.ntimer.enabled;
    g.ntimer.enabled = false;
    drawPage(g);
    g.ntimer.enabled = wasRunning;
}

void pgScroll_Change(Guitar& g) {
    if (g.ui.pagepic.visible && !isLibraryMode(g.app.appMode)) {
        showPicturePage(g);
        return;
    }
    // No playback tick may run between the pieces of a redraw.
    const bool wasRunning = g.ntimer.enabled;
    g.ntimer.enabled = false;

    drawPage(g);

    auto& pb = g.playback;
    pb.counters.noteTicks = 0;
    pb.counters.beatTick = 0;
    // Winding speeds up with every page it turns.
    if (pb.winding != 0) {
        if (pb.windInterval > 4) --pb.windInterval;
        g.ntimer.interval = pb.windInterval;
    }
    if (wasRunning) g.ntimer.enabled = true;
    refreshSwapper(g.display);
}

}  // namespace lutavo
