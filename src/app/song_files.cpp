#include "app/song_files.h"

#include <algorithm>
#include <filesystem>

#include "app/panels.h"
#include "app/song_header.h"
#include "app/song_tables.h"
#include "core/control_ids.h"
#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/neck_markers.h"
#include "display/page_layout.h"
#include "display/page_render.h"
#include "editor/undo.h"
#include "platform/wave_player.h"
#include "playback/transport.h"
#include "song/song_defaults.h"
#include "song/song_edit.h"
#include "song/song_reader.h"

namespace lutavo {

namespace {

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// Step 2: the clip played once the song is on screen.
std::string chooseLoadClip(Guitar& g) {
    std::string clip = g.app.appFolder + files::kLoadClip;
    if (g.app.firstSong && g.config.playIntroClips == 1) {
        clip = g.app.appFolder + files::kWelcomeClip;
    }
    g.app.firstSong = false;
    return clip;
}

void showSongName(Guitar& g, const std::string& fileName) {
    auto& label = g.ui.lblsong;
    label.caption = upperCase(fileName);
    label.color = contains(label.caption, ".SNG") ? kColorAvailable : kColorUnavailable;
}

std::string folderOf(const std::string& fileName) {
    const std::size_t slash = fileName.rfind('/');
    return slash == std::string::npos ? "" : fileName.substr(0, slash + 1);
}

// Step 5: the per-song fields a file sets afresh.
void resetSong(Guitar& g) {
    auto& s = g.song;
    songedit::resetForLoad(s);
    g.ui.pgScroll.max = 1;
    s.capo = 0;
    s.timeSig = 0;
    // Repeat-line too: its saved note count belongs to the old song.
    clearRepeatModes(g);
    s.altTempo = 0;
    songedit::setMetroTicks(s, 16);
    s.songLocked = false;
    s.songTitle.clear();
    s.songInfo.clear();
    s.songComposer.clear();
    g.ui.form.caption = kProgramTitle;
    g.ui.pointer.visible = false;
    g.ui.vpointer.visible = false;
    s.songKey = 1;
}

// The three texts go to the labels above the page and to the song information panel.
void showSongTexts(Guitar& g) {
    g.ui.lbltitle.caption = g.song.songTitle;
    g.ui.lblleft.caption = g.song.songInfo;
    g.ui.lblright.caption = g.song.songComposer;
    g.ui.txtsititle.text = g.song.songTitle;
    g.ui.txtsiinfo.text = g.song.songInfo;
    g.ui.txtsicomp.text = g.song.songComposer;
}

// Step 8: the notes go into the arrays; each end-of-page note closes a page.
void storeNotes(Guitar& g, const ParsedSong& parsed) {
    auto& s = g.song;
    const bool drawn = !hasPicturePages(g);
    s.curNote = 0;
    songedit::setPageStart(s, 1, 1);
    s.curPage = 1;
    if (!drawn) showFirstPicturePage(g);
    int n = 0;
    for (const ParsedNote& note : parsed.notes) {
        ++n;
        songedit::storeNote(s, n, note.dur, note.frets, note.x);
        if (note.dur != kEndOfPage) continue;
        songedit::setPageStart(s, s.curPage + 1, n + 1);
        if (drawn) {
            if (s.noteX[n - 1] == kUnplacedX) layoutpage(g);
            ++g.ui.pgScroll.max;
        }
        ++s.curPage;
    }
    g.ui.pgScroll.max = std::min(g.ui.pgScroll.max, kMaxPages);

    // Step 9: the end sentinel and the slot before the first note.
    songedit::endSongAt(s, n);
    s.curNote = 0;
}

// Step 11: the start-up song turns CLOSE into EXIT.
void setCloseButton(Guitar& g, const std::string& fileName) {
    if (contains(fileName, "intro")) {
        g.app.introSong = 1;
        g.ui.lbllexit.caption = "EXIT";
        g.ui.btnlexit.tip = "Exit Lutavo";
        return;
    }
    g.app.introSong = 0;
    g.ui.lbllexit.caption = "CLOSE";
    if (g.app.appMode != kModeLesson) g.ui.btnlexit.tip = "Close song";
}

// Step 12: panels, page table end, scroll bars, tables, and page 1 on screen.
void presentSong(Guitar& g) {
    auto& s = g.song;
    auto& ui = g.ui;
    layoutPanels(g, s.pageHeight);
    ui.form.mousePointer = MousePointer::Hourglass;
    songedit::setPageStart(s, s.curPage + 1, s.noteCount + 2);
    ui.scrollpanel.visible = ui.pgScroll.max > 1;
    const bool drawn = !hasPicturePages(g);
    if (drawn) layoutpage(g);
    s.curPage = 1;
    ui.lbloftotal.caption = std::to_string(s.noteCount);
    ui.ScrlNpntr.max = s.noteCount;
    ui.ScrlNpntr.visible = s.noteCount >= 1;
    ui.ScrlNpntr.value = 0;
    if (!drawn) {
        for (int page = 1; page <= ui.pgScroll.max; ++page) {
            ui.pgScroll.value = page;
            pgScroll_Change(g);
        }
    }
    setkey(g);
    buildpitchtable(g);
    g.playback.repeatStart = 1;
    ui.pgScroll.value = 1;
    pgScroll_Change(g);
    g.ntimer.interval = s.tempoInterval[s.tempo];
    g.ui.tempotxt.caption = std::to_string(s.tempoBase[s.tempo]);
    buildDurSymbol(s);
}

}  // namespace

void setTransportState(Guitar& g) {
    auto& ui = g.ui;
    const bool playable = g.song.noteCount >= 2;
    const bool buttonsOn = playable || g.app.appMode == kModeEditor;
    for (int i = 0; i < kTransportPlayButtons; ++i) {
        ui.playtxt[i].color = buttonsOn ? kColorAvailable : kColorUnavailable;
        ui.playbtn[i].enabled = buttonsOn;
    }
    const Color stopRepeat = playable ? kColorAvailable : kColorUnavailable;
    ui.playtxt[kStop].color = stopRepeat;
    ui.playtxt[kRepeat].color = stopRepeat;
    if (playable) {
        for (int i : {kEditorBack, kEditorNext}) {
            ui.btnsongentry[i].enabled = true;
            ui.lblsongentry[i].color = kColorAvailable;
        }
    }
}

void playLoadClip(Guitar& g, const std::string& clip) {
    if (g.sys.wave == nullptr) return;
    if (!g.sys.wave->play(clip) && !fileExists(clip)) reportMissingOnce(g, clip);
}

void loadsong(Guitar& g, const std::string& fileName) {
    // The whole file is read and checked before anything changes, so a file that cannot be
    // used leaves the song in memory whole.
    std::optional<ItemReader> reader;
    std::error_code error;
    if (std::filesystem::file_size(fileName, error) > songlimits::kFileBytesHi && !error) {
        showMessage(g, "The file " + fileName + " is too large to be a song; it was not read.");
        return;
    }
    if (fileExists(fileName)) reader = ItemReader::open(fileName);
    if (!reader) {
        showMessage(g, notOpenedMessage("song", fileName));
        return;
    }
    auto result = readSongText(*reader, fileName);
    if (auto* failure = std::get_if<ReadFailure>(&result)) {
        showMessage(g, failure->message);
        return;
    }
    const ParsedSong& parsed = std::get<ParsedSong>(result);

    g.ui.fretboard.enabled = false;
    refreshNeck(g);
    LoadContext context;
    context.clip = chooseLoadClip(g);
    context.currentFormat = parsed.currentFormat;
    showSongName(g, fileName);
    g.song.songFolder = folderOf(fileName);
    resetSong(g);
    applyHeader(g, parsed.header, context);
    showSongTexts(g);
    storeNotes(g, parsed);
    setTransportState(g);
    setCloseButton(g, fileName);
    presentSong(g);

    g.song.songFile = fileName;
    if (contains(upperCase(fileName), "NEWSONG.SNX")) {
        g.ui.lblsong.caption.back() = 'G';
        g.song.songFile = folderOf(fileName) + "newsong.SNG";
    }
    playLoadClip(g, context.clip);
    songedit::markSaved(g.song);
    clearUndo(g);
    g.ui.fretboard.enabled = true;
    g.ui.form.mousePointer = MousePointer::Normal;
    for (const std::string& notice : parsed.notices)
        showMessage(g, notice);
}

}  // namespace lutavo
