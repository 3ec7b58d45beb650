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

namespace lutavo {

namespace {

constexpr int kLibraryNoteX = 50;
// The strip of types is 650 pixels wide, 25 beyond the page; the scroll panel beside the page
// is not needed for the library's one page, so the strip starts at the frame's left edge.
constexpr int kStripWidth = 650;
constexpr int kLibraryPageHeight = 3000;

void setTitleTop(Guitar& g, int top, int leftTop) {
    g.ui.lbltitle.at.top = top;
    g.ui.lblright.at.top = top;
    g.ui.lblleft.at.top = leftTop;
}

void showCaptions(Guitar& g, const LibraryCaptions& captions) {
    auto& ui = g.ui;
    ui.lblsong.caption = captions.song;
    ui.form.caption = captions.window;
    txtsiinfo_Change(g, captions.left);
    txtsititle_Change(g, captions.title);
    txtsicomp_Change(g, captions.right);
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
    setTitleTop(g, 25, 25);
    ui.pnlscore.at.top = 440;
    ui.pnlscore.at.height = 2280;
    ui.picscore.at.top = -395;
    ui.pictab.at.top = 1515;
    ui.pagepic.at.left = 0;
    ui.Pageframe.at.width = kStripWidth * kTwipsPerPixel;
}

void restorePageArea(Guitar& g) {
    auto& ui = g.ui;
    ui.pnlscore.at.top = 75;
    ui.pnlscore.at.height = 2670;
    ui.picscore.at.top = -30;
    ui.pictab.at.top = 1880;
    setTitleTop(g, 3, 1);
    ui.pagepic.at.left = design::kScorePanelLeft * kTwipsPerPixel;
    ui.Pageframe.at.width = design::kPageWidth * kTwipsPerPixel;
}

void openStrip(Guitar& g, const char* file, int cells, int cell) {
    loadPictureFile(g, g.app.appFolder + file, g.display.pagewindow);
    g.display.pagewindowCells = CellGrid{1, cells};
    showStripCell(g, cell);
}

void showStripCell(Guitar& g, int cell) {
    auto& d = g.display;
    const CellGrid& cells = d.pagewindowCells;
    const int w = cells.cellWidth(d.pagewindow);
    const int h = cells.cellHeight(d.pagewindow);
    d.pagepic.resize(w, h);
    d.pagepic.blit(0, 0, d.pagewindow, cells.cellX(d.pagewindow, cell),
                   cells.cellY(d.pagewindow, cell), w, h, RasterOp::Copy);
    g.ui.pagepic.visible = true;
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
    showStripCell(g, cell - 1);
    if (g.sys.screen != nullptr) g.sys.screen->present();
    return cell;
}

void beginLibraryPage(Guitar& g, int key) {
    auto& s = g.song;
    auto& ui = g.ui;
    playbtn_Click(g, kStop);
    refreshNeck(g);
    ui.lblsong.color = kColorAvailable;
    songedit::resetForLoad(s);
    songedit::setAllFrets(s, kScratchSlot, kSilent);
    s.timeSig = 0;
    clearRepeatModes(g);
    s.altTempo = 0;
    songedit::setMetroTicks(s, 16);
    s.songKey = static_cast<i16>(key);
    s.pageHeight = kLibraryPageHeight;
    s.pagePicture = "INTERNAL";
    ui.vpointer.visible = false;
    for (Label* label : {&ui.lbltitle, &ui.lblleft, &ui.lblright})
        label->visible = true;
    ui.pnlscore.visible = true;
    ui.pointer.visible = true;
    s.songLocked = true;
    s.curNote = 0;
    s.curPage = 1;
    songedit::setPageStart(s, 1, 1);
    songedit::setLength(s, kScratchSlot, 64);
    songedit::setX(s, kScratchSlot, kLibraryNoteX);
}

void storeLibraryNote(Guitar& g, int n, int dur, const StringFrets& frets) {
    songedit::storeNote(g.song, n, dur, frets, kLibraryNoteX);
}

void finishLibraryPage(Guitar& g, int n, const std::function<LibraryCaptions()>& captions) {
    auto& s = g.song;
    auto& ui = g.ui;
    songedit::endSongAt(s, n);
    setTransportState(g);
    g.app.introSong = 0;
    ui.lbllexit.caption = "CLOSE";
    layoutPanels(g, s.pageHeight);
    ui.form.mousePointer = MousePointer::Hourglass;
    songedit::setPageStart(s, 2, n + 2);
    ui.pgScroll.max = 1;
    layoutpage(g);
    s.curPage = 1;
    showNoteScrollBar(g, n);
    setkey(g);
    buildpitchtable(g);
    const LibraryCaptions texts = captions();
    if (g.app.appMode != kModeLesson) ui.btnlexit.tip = texts.closeTip;
    showCaptions(g, texts);
    ui.pgScroll.value = 1;
    g.playback.repeatStart = 1;
    pgScroll_Change(g);
    g.ntimer.interval = s.tempoInterval[s.tempo];
    showTempo(g);
    playbtn_Click(g, kStop);
    // The library's page is the program's own: nothing to undo and nothing to save.
    clearUndo(g);
    songedit::markSaved(s);
    playLoadClip(g, g.app.appFolder + files::kLoadClip);
    ui.form.mousePointer = MousePointer::Normal;
}

}  // namespace lutavo
