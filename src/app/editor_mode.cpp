// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor_mode.h"

#include <string>

#include "app/mode_bar.h"
#include "app/song_files.h"
#include "core/control_ids.h"
#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/scrolling.h"
#include "editor/editor_commands.h"
#include "platform/midi_out.h"
#include "playback/performer.h"
#include "playback/settings_adjuster.h"
#include "playback/transport.h"
#include "song/song_edit.h"

namespace lutavo {

namespace {

bool isUserSong(const Label& lblsong) {
    return lblsong.caption.find(".SNG") != std::string::npos;
}

// Unsaved edits go only when the user says so.
bool mayDropEdits(Guitar& g) {
    if (!g.song.modified) return true;
    return askYesNo(g, "Quit Song Editor without saving? ", "Quit Editor");
}

void setCommandsAvailable(WindowControls& ui, int last, bool available) {
    for (int i = kEditorIns; i <= last; ++i) {
        ui.lblsongentry[i].color = available ? kColorAvailable : kColorUnavailable;
        ui.btnsongentry[i].enabled = available;
    }
}

void showNoteLengths(WindowControls& ui, bool lengths) {
    ui.lblswapper[kSettingLeadIn].caption = lengths ? "LENGTH" : "LEAD-IN";
    ui.btnSwapper[kSettingLeadIn].visible = !lengths;
    ui.btnSwapper[kSettingNoteLength].visible = lengths;
}

// The cursor on the song's first note, so that the first click on the neck enters a note; an
// empty song gets one through NEXT.
void cursorOnFirstNote(Guitar& g) {
    auto& s = g.song;
    if (s.noteCount < 1) {
        playbtn_Click(g, kNext);
        return;
    }
    g.transport.curNote = 1;
    g.transport.curPage = 1;
    pgScroll_Scroll(g, 1);
    presentNote(g, kShowOnly);
}

void showNoteCounter(Guitar& g) {
    showNoteCount(g);
    setNoteScroll(g, g.transport.curNote);
}

}  // namespace

void enterEditor(Guitar& g) {
    if (isLibraryMode(g.app.appMode)) closeCurrentMode(g);
    if (isUserSong(g.ui.lblsong) && g.song.songLocked) {
        showMessage(g, "This song is locked.\n" + g.song.songFile, "Editing disabled");
        return;
    }
    // EDIT again on a new song not yet saved would load the template over it.
    if (g.app.appMode == kModeEditor && !isUserSong(g.ui.lblsong) && !mayDropEdits(g)) return;
    setCommandsAvailable(g.ui, kEditorNext, true);
    // Edits move the notes a passage was marked on.
    if (g.transport.range.loop || g.transport.range.marked()) mnuRepeatCancel_Click(g);
    g.app.appMode = kModeEditor;
    showNoteLengths(g.ui, true);
    btnSwapper_Click(g, kSettingNoteLength);
    clearMark(g.editor);
    const bool fromTemplate = !isUserSong(g.ui.lblsong);
    if (fromTemplate) loadsong(g, g.app.appFolder + files::kNewSong);
    auto& s = g.song;
    if (s.noteCount >= 1)
        songedit::setX(s, s.noteCount, s.noteX[s.noteCount - 1] + g.display.noteSpacing);
    g.editor.savedNoteCount = s.noteCount;
    // A position of the song itself is kept; before the first note or after the last (as a
    // song is loaded or played to its end) there is no note to write into.
    const i16 at = g.transport.curNote;
    if (fromTemplate || at < 1 || at > s.noteCount) cursorOnFirstNote(g);
    showNoteCounter(g);
    g.ui.btnlexit.tip = "Quit song editor";
    g.ui.lblcopybuff.visible = true;
    g.ui.pnlSongEntry.visible = true;
}

bool leaveEditor(Guitar& g) {
    presentNote(g, kShowOnly);
    const bool discarded = g.song.modified;
    if (!mayDropEdits(g)) return false;
    auto& s = g.song;
    g.editor.markActive = false;
    setCommandsAvailable(g.ui, kEditorPaste, false);
    g.ui.opttxt[kModeBarEdit].color = kColorAvailable;
    showNoteLengths(g.ui, false);
    if (g.transport.curNote > s.noteCount) g.transport.curNote = static_cast<i16>(s.noteCount + 1);
    placeNotePointer(g.song, g.ui, g.transport.curNote);
    g.app.appMode = kModeSongs;
    btnSwapper_Click(g, kSettingLeadIn);
    showNoteCounter(g);
    g.ui.btnlexit.tip = "Close song";
    g.ui.lblcopybuff.visible = false;
    g.ui.pnlSongEntry.visible = false;
    // Edits let go are gone from the screen too.
    if (discarded) reloadSong(g);
    return true;
}

void btnlexit_Click(Guitar& g) {
    if (g.app.appMode == kModeEditor) {
        leaveEditor(g);
        return;
    }
    // In a lesson the button closes the lesson even while the start-up song is on show.
    if (g.app.introSong == 1 && g.app.appMode != kModeLesson) {
        presentNote(g, kShowOnly);
        if (g.sys.midi != nullptr) g.sys.midi->close();
        g.app.quitRequested = true;
        return;
    }
    closeCurrentMode(g);
}

bool confirmQuit(Guitar& g) {
    return g.app.appMode != kModeEditor || mayDropEdits(g);
}

}  // namespace lutavo
