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

void showSongInfo(Guitar& g) {
    g.ui.pnlsonginfo.at.top = g.app.windowHeight - kShownAboveBottom;
    ++g.ui.txtsititle.focusRequests;
}

void btnsiok_Click(Guitar& g) {
    endTyping(undoParts(g));
    g.ui.pnlsonginfo.at.top = g.app.windowHeight + kHiddenBelowBottom;
    g.ui.lblsongentry[kEditorInfo].color = kColorAvailable;
}

void showSongTexts(Guitar& g) {
    const auto& s = g.song;
    g.ui.txtsititle.text = s.songTitle;
    g.ui.txtsiinfo.text = s.songInfo;
    g.ui.txtsicomp.text = s.songComposer;
    g.ui.lbltitle.caption = s.songTitle;
    g.ui.lblleft.caption = s.songInfo;
    g.ui.lblright.caption = s.songComposer;
    g.ui.form.caption = std::string(kProgramTitle) + " - " + s.songTitle;
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
