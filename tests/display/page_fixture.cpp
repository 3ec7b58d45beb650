// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/page_fixture.h"

#include <algorithm>

#include "app/song_tables.h"
#include "core/data_files.h"
#include "display/page_render.h"
#include "song/song_defaults.h"
#include "theory/keys.h"
#include "tuning/pitch_table.h"

namespace lutavo::test {

Frets single(int slot, int fret) {
    Frets f = kRest;
    f[slot - 1] = fret;
    return f;
}

namespace {

void line(Picture& p, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            p.setPixel(x, y, kRgbBlack);
}

// A background of `lines` lines `gap` apart from y0, with double end lines at left and 594.
Picture background(int height, int lines, int y0, int gap, int left) {
    Picture p(601, height);
    const int y1 = y0 + (lines - 1) * gap;
    for (int y = y0; y <= y1; y += gap)
        line(p, left, y, 595, y);
    for (int x : {left, left + 1, 594, 595})
        line(p, x, y0, x, y1);
    return p;
}

Picture noteGlyphs() {
    Picture p(306, 29);
    for (int x = 0; x < 130; x += 13) {
        line(p, x, 21, x + 4, 21);        // head
        line(p, x + 5, 2, x + 5, 21);     // stem
        p.setPixel(x + 9, 3, kRgbBlack);  // flag
    }
    line(p, 249, 0, 249, 27);  // bar line
    for (int y = 0; y <= 28; y += 7)
        line(p, 233, y, 244, y);  // ledger lines
    return p;
}

Picture fretGlyphs(int width) {
    Picture p(width, 9);
    for (int x = 5; x < 12 * 24; x += 12)
        line(p, x, 1, x, 7);
    return p;
}

}  // namespace

PageTest::PageTest() : g(rig.g()), d(rig.g().display) {
    rig.defaults();
    g.sys.pictures = &io;
    const std::string& folder = g.app.appFolder;
    io.files[folder + files::kScoreBackground] = background(140, 5, 66, 7, 2);
    io.files[folder + files::kTabBackground] = background(54, 6, 7, 8, 3);
    io.files[folder + files::kNoteGlyphs] = noteGlyphs();
    io.files[folder + files::kFretGlyphs] = fretGlyphs(414);
    io.files[folder + files::kHeldFretGlyphs] = fretGlyphs(289);
    loadPagePictures(g);
}

void PageTest::finish(int spacing) {
    auto& s = g.song;
    buildSong(g, notes_, spacing);
    for (int slot = 1; slot <= 6; ++slot)
        s.altTuning[slot] = 0;  // standard tuning: pitches read as open strings plus frets
    buildDurSymbol(s);
    setkey(g.keys, g.song);
    buildpitchtable(g);
    g.ui.ScrlNpntr.value = 0;
    g.ui.pagepic.visible = false;
}

void PageTest::draw(int page) {
    g.ui.pgScroll.value = page;
    scoreLog.clear();
    tabLog.clear();
    d.picscore.recordBlitsInto(&scoreLog);
    d.pictab.recordBlitsInto(&tabLog);
    pgScroll_Change(g);
}

std::vector<BlitRecord> PageTest::copies(const Picture& into, const Picture& source) const {
    const auto& log = &into == &d.picscore ? scoreLog : tabLog;
    std::vector<BlitRecord> out;
    std::copy_if(log.begin(), log.end(), std::back_inserter(out),
                 [&](const BlitRecord& r) { return r.source == &source; });
    return out;
}

bool PageTest::copied(const Picture& into, const Picture& source, Rect q, RasterOp op) const {
    const auto all = copies(into, source);
    return std::any_of(all.begin(), all.end(), [&](const BlitRecord& r) {
        return Rect{r.destX, r.destY, r.srcX, r.srcY, r.width, r.height} == q && r.op == op;
    });
}

int PageTest::countFrom(const Picture& into, const Picture& source, int srcX) const {
    const auto all = copies(into, source);
    return static_cast<int>(
        std::count_if(all.begin(), all.end(), [&](const BlitRecord& r) { return r.srcX == srcX; }));
}

}  // namespace lutavo::test
