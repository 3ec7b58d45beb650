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

void hline(Picture& p, int x0, int x1, int y) {
    for (int x = x0; x <= x1; ++x)
        p.setPixel(x, y, kRgbBlack);
}

void vline(Picture& p, int x, int y0, int y1) {
    for (int y = y0; y <= y1; ++y)
        p.setPixel(x, y, kRgbBlack);
}

Picture scoreBackground() {
    Picture p(601, 140);
    for (int y = 66; y <= 94; y += 7)
        hline(p, 2, 595, y);
    for (int x : {2, 3, 594, 595})
        vline(p, x, 66, 94);
    return p;
}

Picture tabBackground() {
    Picture p(601, 54);
    for (int y = 7; y <= 47; y += 8)
        hline(p, 3, 595, y);
    for (int x : {3, 4, 594, 595})
        vline(p, x, 7, 47);
    return p;
}

Picture noteGlyphs() {
    Picture p(306, 29);
    for (int k = 1; k <= 10; ++k) {
        const int x = 13 * (k - 1);
        hline(p, x, x + 4, 21);           // head
        vline(p, x + 5, 2, 21);           // stem
        p.setPixel(x + 9, 3, kRgbBlack);  // flag
    }
    vline(p, 249, 0, 27);  // bar line
    for (int y = 0; y <= 28; y += 7)
        hline(p, 233, 244, y);  // ledger lines
    return p;
}

Picture fretGlyphs(int width) {
    Picture p(width, 9);
    for (int f = 0; f <= 23; ++f)
        vline(p, 12 * f + 5, 1, 7);
    return p;
}

}  // namespace

void addPagePictures(FakePictureIO& io, const std::string& folder) {
    io.files[folder + files::kScoreBackground] = scoreBackground();
    io.files[folder + files::kTabBackground] = tabBackground();
    io.files[folder + files::kNoteGlyphs] = noteGlyphs();
    io.files[folder + files::kFretGlyphs] = fretGlyphs(414);
    io.files[folder + files::kHeldFretGlyphs] = fretGlyphs(289);
}

PageTest::PageTest() : g(rig.g()), d(rig.g().display) {
    rig.defaults();
    g.sys.pictures = &io;
    addPagePictures(io, g.app.appFolder);
    loadPagePictures(g);
}

void PageTest::note(int dur, const Frets& frets) {
    auto& s = g.song;
    const int n = ++s.noteCount;
    s.noteDur[n] = static_cast<i16>(dur);
    for (int slot = 1; slot <= 6; ++slot)
        s.noteFret(n, slot) = static_cast<i16>(frets[slot - 1]);
}

void PageTest::endPage() {
    note(kEndOfPage, kRest);
    pageFirst_.push_back(g.song.noteCount + 1);
}

void PageTest::finish(int spacing) {
    auto& s = g.song;
    const int count = pages();
    for (int p = 1; p <= count; ++p)
        s.pageStart[p] = static_cast<i16>(pageFirst_[p - 1]);
    s.pageStart[count + 1] = static_cast<i16>(s.noteCount + 2);
    for (int p = 1; p <= count; ++p) {
        const int first = s.pageStart[p];
        const int end = s.pageStart[p + 1] - 1;  // the end-of-page note, or the end sentinel
        for (int n = first; n < end; ++n)
            s.noteX[n] = static_cast<i16>(100 + spacing * (n - first));
        s.noteX[end] = 595;
    }
    s.noteX[0] = 25;
    s.noteX[s.noteCount + 1] = 595;
    s.noteDur[s.noteCount + 1] = 0;
    for (int slot = 1; slot <= 6; ++slot)
        s.noteFret(s.noteCount + 1, slot) = kSilent;
    buildDurSymbol(s);
    // Standard tuning, so the pitches in the tests read as open strings plus frets.
    for (int slot = 1; slot <= 6; ++slot)
        s.altTuning[slot] = 0;
    setkey(g);
    buildpitchtable(g);
    g.ui.pgScroll.min = 1;
    g.ui.pgScroll.max = count;
    g.ui.pgScroll.value = 1;
    g.ui.ScrlNpntr.min = 0;
    g.ui.ScrlNpntr.max = s.noteCount;
    g.ui.ScrlNpntr.value = 0;
    g.ui.pagepic.visible = false;
}

void PageTest::record() {
    d.picscore.recordBlitsInto(&scoreLog);
    d.pictab.recordBlitsInto(&tabLog);
}

void PageTest::draw(int page) {
    g.ui.pgScroll.value = page;
    scoreLog.clear();
    tabLog.clear();
    record();
    pgScroll_Change(g);
}

std::vector<BlitRecord> PageTest::copies(const Picture& into, const Picture& source) const {
    const auto& log = &into == &d.picscore ? scoreLog : tabLog;
    std::vector<BlitRecord> out;
    std::copy_if(log.begin(), log.end(), std::back_inserter(out),
                 [&](const BlitRecord& r) { return r.source == &source; });
    return out;
}

bool PageTest::copied(const Picture& into, const Picture& source, int destX, int destY, int srcX,
                      int srcY, int width, int height, RasterOp op) const {
    for (const BlitRecord& r : copies(into, source)) {
        if (r.destX == destX && r.destY == destY && r.srcX == srcX && r.srcY == srcY &&
            r.width == width && r.height == height && r.op == op)
            return true;
    }
    return false;
}

int PageTest::countFrom(const Picture& into, const Picture& source, int srcX) const {
    const auto all = copies(into, source);
    return static_cast<int>(
        std::count_if(all.begin(), all.end(), [&](const BlitRecord& r) { return r.srcX == srcX; }));
}

}  // namespace lutavo::test
