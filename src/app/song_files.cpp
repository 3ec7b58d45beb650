// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "editor/song_info.h"
#include "editor/undo.h"
#include "listen/wait_mode.h"
#include "platform/wave_player.h"
#include "playback/settings_adjuster.h"
#include "playback/transport.h"
#include "song/song_defaults.h"
#include "song/song_edit.h"
#include "song/song_reader.h"
#include "tuning/heard_tuning.h"

namespace lutavo {

namespace {

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// Step 2: the clip played once the song is on screen.
std::string chooseLoadClip(AppState& app, ConfigState& config) {
    std::string clip = app.appFolder + files::kLoadClip;
    if (app.firstSong && config.playIntroClips == 1) {
        clip = app.appFolder + files::kWelcomeClip;
    }
    app.firstSong = false;
    return clip;
}

void showSongName(WindowControls& ui, const std::string& fileName) {
    auto& label = ui.lblsong;
    label.caption = upperCase(fileName);
    label.color = contains(label.caption, ".SNG") ? kColorAvailable : kColorUnavailable;
}

// What a song from the template is called until it is saved.
std::string newSongName(const std::string& templateFile) {
    return folderOf(templateFile) + "newsong.SNG";
}

// Step 5: the per-song fields a file sets afresh.
void resetSong(Guitar& g) {
    resetSongFields(g.song);
    plainPageHeader(g.display);
    g.ui.pgScroll.max = 1;
    // Repeat-line too: its line belongs to the old song.
    clearRepeatModes(g);
    g.ui.form.caption = kProgramTitle;
    g.ui.pointer.visible = false;
    g.ui.vpointer.visible = false;
}

// Steps 8 and 9: the notes go into the arrays, each end-of-page note closing a page, with the
// end sentinel after them; drawn pages whose notes have no places yet are laid out.
void storeNotes(Guitar& g, const ParsedSong& parsed) {
    auto& s = g.song;
    const bool drawn = !hasPicturePages(s);
    if (!drawn) showFirstPicturePage(g);
    const int pages = storeSongNotes(s, parsed.notes);
    if (drawn) {
        for (int page = 1; page < pages; ++page) {
            const int endOfPage = s.pageStart[page + 1] - 1;
            if (s.noteX[endOfPage - 1] == kUnplacedX) g.display.noteSpacing = layoutpage(s, page);
        }
        g.display.noteSpacing = layoutpage(s, pages);
        g.ui.pgScroll.max = std::min(pages, kMaxPages);
    }
    g.transport.curNote = 0;
    g.transport.curPage = 1;
}

// Step 11: the start-up song turns CLOSE into EXIT.
void setCloseButton(AppState& app, WindowControls& ui, const std::string& fileName) {
    if (contains(fileName, "intro")) {
        app.introSong = 1;
        ui.lbllexit.caption = "EXIT";
        ui.btnlexit.tip = "Exit Lutavo";
        return;
    }
    app.introSong = 0;
    ui.lbllexit.caption = "CLOSE";
    if (app.appMode != kModeLesson) ui.btnlexit.tip = "Close song";
}

// Step 12: panels, page table end, scroll bars, tables, and page 1 on screen.
void presentSong(Guitar& g) {
    auto& s = g.song;
    auto& ui = g.ui;
    layoutPanels(g, s.pageHeight);
    ui.form.mousePointer = MousePointer::Hourglass;
    ui.scrollpanel.visible = ui.pgScroll.max > 1;
    const bool drawn = !hasPicturePages(g.song);
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
    setkey(g.keys, g.song);
    buildpitchtable(g);
    ui.pgScroll.value = 1;
    pgScroll_Change(g);
    applyPlayInterval(g);
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

void loadsong(Guitar& g, const std::string& fileName, const std::optional<std::string>& text) {
    // The whole file is read and checked before anything changes, so a file that cannot be
    // used leaves the song in memory whole.
    std::optional<ItemReader> reader;
    if (text) reader.emplace(*text);
    auto result = reader ? readSongText(*reader, fileName) : readSongFile(fileName);
    if (auto* failure = std::get_if<ReadFailure>(&result)) {
        showMessage(g, failure->message);
        return;
    }
    const ParsedSong& parsed = std::get<ParsedSong>(result);

    g.ui.fretboard.enabled = false;
    refreshNeck(g.neck);
    LoadContext context;
    context.clip = chooseLoadClip(g.app, g.config);
    context.currentFormat = parsed.currentFormat;
    showSongName(g.ui, fileName);
    g.song.songFolder = folderOf(fileName);
    resetSong(g);
    applyHeader(g, parsed.header, context);
    showSongTexts(g.song, g.ui);
    storeNotes(g, parsed);
    setTransportState(g);
    setCloseButton(g.app, g.ui, fileName);
    presentSong(g);

    g.song.songFile = fileName;
    // The tuning page listens to the guitar; any other song lets the input go.
    stopWaiting(g.practice.wait, g.sys.input, g.ltimer, g.tuning.heard.listening);
    if (fileName == g.app.appFolder + files::kTuningSong)
        startHearing(g.tuning.heard, g.sys.input, g.ltimer);
    else
        stopHearing(g.tuning.heard, g.sys.input, g.ltimer);
    g.app.importedParts = {};
    if (contains(upperCase(fileName), "NEWSONG.SNX")) {
        g.ui.lblsong.caption.back() = 'G';
        g.song.songFile = newSongName(fileName);
    }
    playLoadClip(g, context.clip);
    songedit::markSaved(g.song);
    clearUndo(g.editor);
    g.ui.fretboard.enabled = true;
    g.ui.form.mousePointer = MousePointer::Normal;
    for (const std::string& notice : parsed.notices)
        showMessage(g, notice);
}

void reloadSong(Guitar& g) {
    const std::string songTemplate = g.app.appFolder + files::kNewSong;
    const std::string file = g.song.songFile;
    loadsong(g, file == newSongName(songTemplate) ? songTemplate : file);
}

}  // namespace lutavo
