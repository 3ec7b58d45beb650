// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/library_page.h"

#include "app/form_design.h"
#include "app/panels.h"
#include "app/song_files.h"
#include "app/song_tables.h"
#include "core/control_ids.h"
#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/neck_markers.h"
#include "display/page_layout.h"
#include "display/page_render.h"
#include "display/picture_files.h"
#include "editor/song_info.h"
#include "editor/undo.h"
#include "platform/screen.h"
#include "playback/settings_adjuster.h"
#include "playback/transport.h"
#include "song/song_edit.h"
#include "theory/keys.h"
#include "theory/spelling.h"

namespace lutavo {

namespace {

constexpr int kLibraryNoteX = 50;
// The strip of types is 650 pixels wide, 25 beyond the page; the scroll panel beside the page
// is not needed for the library's one page, so the strip starts at the frame's left edge.
constexpr int kStripWidth = 650;

void setTitleTop(WindowControls& ui, int top, int leftTop) {
    ui.lbltitle.at.top = top;
    ui.lblright.at.top = top;
    ui.lblleft.at.top = leftTop;
}

void showCaptions(Guitar& g, const LibraryCaptions& captions, const std::string& left) {
    auto& ui = g.ui;
    ui.lblsong.caption = captions.song;
    ui.form.caption = captions.window;
    txtsiinfo_Change(g, left);
    txtsititle_Change(g, captions.title);
    txtsicomp_Change(g, captions.right);
}

// The page scroll bar of a library with several pages stands beside the page, under the strip.
void placeScrollBarBesidePage(Guitar& g) {
    auto& ui = g.ui;
    ui.scrollpanel.at.top = ui.pnlscore.at.top;
    ui.scrollpanel.at.height = ui.pnlscore.at.height;
    ui.pgScroll.at.height = ui.pnlscore.at.height;
}

// Every page the notes were broken into (the page being filled is the last), laid out as the
// page lays out a song, and the page scroll bar over them.
void layoutPages(Guitar& g, int n) {
    auto& s = g.song;
    const int pages = g.transport.curPage;
    songedit::setPageStart(s, pages + 1, n + 2);
    g.ui.pgScroll.max = pages;
    for (int page = 1; page <= pages; ++page)
        g.display.noteSpacing = layoutpage(s, page);
    g.transport.curPage = 1;
}

void showNoteScrollBar(Guitar& g, int n) {
    auto& ui = g.ui;
    ui.scrollpanel.visible = ui.pgScroll.max != 1;
    ui.lbloftotal.caption = std::to_string(n);
    ui.ScrlNpntr.max = n;
    ui.ScrlNpntr.enabled = n >= 1;
    ui.ScrlNpntr.value = 0;
}

}  // namespace

void checkOnly(Menu& menu, int index) {
    for (std::size_t i = 0; i < menu.items.size(); ++i)
        menu.items[i].checked = static_cast<int>(i) == index;
}

void showLibraryPageArea(Guitar& g) {
    auto& ui = g.ui;
    setTitleTop(g.ui, 25, 25);
    ui.pnlscore.at.top = 440;
    ui.pnlscore.at.height = 2280;
    ui.picscore.at.top = -395;
    ui.pictab.at.top = 1515;
    ui.pagepic.at.left = 0;
    ui.Pageframe.at.width = kStripWidth * kTwipsPerPixel;
}

void showScalePageArea(Guitar& g) {
    auto& ui = g.ui;
    showLibraryPageArea(g);
    ui.pnlscore.at.height = 2670;
    ui.picscore.at.top = 15;
    ui.pictab.at.top = 1860;
}

void restorePageArea(Guitar& g) {
    auto& ui = g.ui;
    ui.scrollpanel.at.top = 0;
    ui.pnlscore.at.top = 75;
    ui.pnlscore.at.height = 2670;
    ui.picscore.at.top = -30;
    ui.pictab.at.top = 1880;
    setTitleTop(g.ui, 3, 1);
    ui.pagepic.at.left = design::kScorePanelLeft * kTwipsPerPixel;
    ui.Pageframe.at.width = design::kPageWidth * kTwipsPerPixel;
}

void openStrip(Guitar& g, const char* file, int cells, int cell) {
    loadPictureFile(g, g.app.appFolder + file, g.display.pagewindow);
    g.display.pagewindowCells = CellGrid{1, cells};
    showStripCell(g.display, g.ui, cell);
}

void showStripCell(DisplayState& display, WindowControls& ui, int cell) {
    auto& d = display;
    const CellGrid& cells = d.pagewindowCells;
    const int w = cells.cellWidth(d.pagewindow);
    const int h = cells.cellHeight(d.pagewindow);
    d.pagepic.resize(w, h);
    d.pagepic.blit(0, 0, d.pagewindow, cells.cellX(d.pagewindow, cell),
                   cells.cellY(d.pagewindow, cell), w, h, RasterOp::Copy);
    ui.pagepic.visible = true;
    ++d.pageRedraws;
}

int stripCellAt(double x, int cellTwips, int last) {
    const double rounded = roundHalfEven(x);
    if (rounded < 0) return 0;
    const int cell = static_cast<int>(rounded) / cellTwips;
    return cell >= 1 && cell <= last ? cell : 0;
}

int pressStripCell(Guitar& g, double x, int cellTwips, int last) {
    const int cell = stripCellAt(x, cellTwips, last);
    if (cell == 0) return 0;
    g.ui.pnlscore.visible = false;
    showStripCell(g.display, g.ui, cell - 1);
    if (g.sys.screen != nullptr) g.sys.screen->present();
    return cell;
}

void beginLibraryPage(Guitar& g, int key, int pageHeight) {
    auto& s = g.song;
    auto& ui = g.ui;
    playbtn_Click(g, kStop);
    refreshNeck(g.neck);
    ui.lblsong.color = kColorAvailable;
    songedit::resetForLoad(s);
    plainPageHeader(g.display);
    songedit::setAllFrets(s, kScratchSlot, kSilent);
    s.timeSig = 0;
    clearRepeatModes(g);
    s.altTempo = 0;
    songedit::setMetroTicks(s, 16);
    s.songKey = static_cast<i16>(key);
    s.pageHeight = static_cast<i16>(pageHeight);
    s.pagePicture = "INTERNAL";
    ui.vpointer.visible = false;
    for (Label* label : {&ui.lbltitle, &ui.lblleft, &ui.lblright})
        label->visible = true;
    ui.pnlscore.visible = true;
    ui.pointer.visible = true;
    s.songLocked = true;
    g.transport.curNote = 0;
    g.transport.curPage = 1;
    songedit::setPageStart(s, 1, 1);
    songedit::setLength(s, kScratchSlot, 64);
    songedit::setX(s, kScratchSlot, kLibraryNoteX);
}

void storeLibraryNote(SongModel& song, int n, int dur, const StringFrets& frets) {
    songedit::storeNote(song, n, dur, frets, kLibraryNoteX);
}

bool breakLibraryPage(SongModel& song, TransportState& transport, int n) {
    auto& s = song;
    auto& page = transport.curPage;
    if (page >= kMaxPages || n >= kMaxNotes) return false;
    StringFrets silent;
    silent.fill(kSilent);
    storeLibraryNote(song, n, kEndOfPage, silent);
    ++page;
    songedit::setPageStart(s, page, n + 1);
    return true;
}

void finishLibraryPage(Guitar& g, int n, const LibraryTones& tones,
                       const std::function<LibraryCaptions()>& captions) {
    auto& s = g.song;
    auto& ui = g.ui;
    songedit::endSongAt(s, n);
    setTransportState(g);
    g.app.introSong = 0;
    ui.lbllexit.caption = "CLOSE";
    layoutPanels(g, s.pageHeight);
    placeScrollBarBesidePage(g);
    ui.form.mousePointer = MousePointer::Hourglass;
    layoutPages(g, n);
    showNoteScrollBar(g, n);
    setkey(g.keys, g.song);
    const std::vector<SpelledTone> spelled =
        spellFormula(tones.formula, noteNameOf(g.keys, tones.root));
    writeTonesAsSpelled(g.keys, s.songKey, spelled);
    buildpitchtable(g);
    const LibraryCaptions texts = captions();
    if (g.app.appMode != kModeLesson) ui.btnlexit.tip = texts.closeTip;
    showCaptions(g, texts, tones.formula + ": " + writtenNames(spelled));
    ui.pgScroll.value = 1;
    pgScroll_Change(g);
    applyPlayInterval(g);
    playbtn_Click(g, kStop);
    // The library's page is the program's own: nothing to undo and nothing to save.
    clearUndo(g.editor);
    songedit::markSaved(s);
    playLoadClip(g, g.app.appFolder + files::kLoadClip);
    ui.form.mousePointer = MousePointer::Normal;
}

}  // namespace lutavo
