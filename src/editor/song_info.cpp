// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/song_info.h"

#include "core/control_ids.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "editor/undo.h"
#include "song/song_edit.h"

namespace lutavo {

namespace {

// Shown, the panel's top lies this far above the window's bottom edge; hidden, this far below.
constexpr int kShownAboveBottom = 880;
constexpr int kHiddenBelowBottom = 100;

}  // namespace

void showSongInfo(WindowControls& ui, AppState& app) {
    ui.pnlsonginfo.at.top = app.windowHeight - kShownAboveBottom;
    ++ui.txtsititle.focusRequests;
}

void btnsiok_Click(Guitar& g) {
    endTyping(undoParts(g));
    g.ui.pnlsonginfo.at.top = g.app.windowHeight + kHiddenBelowBottom;
    g.ui.lblsongentry[kEditorInfo].color = kColorAvailable;
}

void showSongTexts(const SongModel& song, WindowControls& ui) {
    ui.txtsititle.text = song.songTitle;
    ui.txtsiinfo.text = song.songInfo;
    ui.txtsicomp.text = song.songComposer;
    ui.lbltitle.caption = song.songTitle;
    ui.lblleft.caption = song.songInfo;
    ui.lblright.caption = song.songComposer;
}

void showEditedSongTexts(const SongModel& song, WindowControls& ui) {
    showSongTexts(song, ui);
    ui.form.caption = std::string(kProgramTitle) + " - " + song.songTitle;
}

void txtsititle_Change(Guitar& g, const std::string& text) {
    auto& s = g.song;
    g.ui.txtsititle.text = text;
    g.ui.lbltitle.caption = text;
    g.ui.form.caption = std::string(kProgramTitle) + " - " + text;
    beginTyping(undoParts(g));
    songedit::setTexts(s, text, s.songInfo, s.songComposer);
}

void txtsiinfo_Change(Guitar& g, const std::string& text) {
    auto& s = g.song;
    g.ui.txtsiinfo.text = text;
    g.ui.lblleft.caption = text;
    beginTyping(undoParts(g));
    songedit::setTexts(s, s.songTitle, text, s.songComposer);
}

void txtsicomp_Change(Guitar& g, const std::string& text) {
    auto& s = g.song;
    g.ui.txtsicomp.text = text;
    g.ui.lblright.caption = text;
    beginTyping(undoParts(g));
    songedit::setTexts(s, s.songTitle, s.songInfo, text);
}

void songInfoField_Leave(Guitar& g) {
    endTyping(undoParts(g));
}

}  // namespace lutavo
