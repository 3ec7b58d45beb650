// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/song_header.h"

#include <array>
#include <string_view>

#include "app/panels.h"
#include "base/safe_file.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/picture_files.h"
#include "platform/midi_out.h"
#include "playback/sound.h"
#include "song/song_fields.h"

namespace lutavo {

namespace {

namespace lim = songlimits;

void setTitleLabelsVisible(WindowControls& ui, bool visible) {
    ui.lbltitle.visible = visible;
    ui.lblleft.visible = visible;
    ui.lblright.visible = visible;
}

// What the window does with the header's keys, after the song has taken its own fields.
void showTitle(Guitar& g, const std::string& v, LoadContext&) {
    g.ui.form.caption = std::string(kProgramTitle) + " - " + v;
}

void applyFrames(Guitar& g, const std::string& v, LoadContext&) {
    const i16 frames = headerNumber(v, lim::kFramesLo, lim::kFramesHi);
    g.ui.pgScroll.max = frames;
    if (hasPicturePages(g.song)) g.display.pagewindowCells = CellGrid{1, frames};
}

void loadPageStore(Guitar& g, const std::string& name) {
    loadPictureFile(g, g.song.songFolder + name, g.display.pagewindow);
}

void showPageKind(Guitar& g, const std::string& v, LoadContext&) {
    const bool chordLibrary = isLibraryMode(g.app.appMode);
    if (!chordLibrary) {
        g.display.pagewindow = Picture();
        g.display.pagewindowCells = CellGrid{};
    }
    if (!hasPicturePages(g.song)) {
        if (!chordLibrary) g.ui.pagepic.visible = false;
        layoutPanels(g, g.song.pageHeight);
        setTitleLabelsVisible(g.ui, true);
        g.ui.pnlscore.visible = true;
        return;
    }
    g.ui.pnlscore.visible = false;
    loadPageStore(g, v);
    setTitleLabelsVisible(g.ui, false);
    g.ui.pagepic.visible = true;
}

void applyPointer(Guitar& g, const std::string&, LoadContext&) {
    g.ui.pointer.visible = true;
}
void applyVpointer(Guitar& g, const std::string&, LoadContext&) {
    g.ui.vpointer.visible = true;
}

void showMetronome(Guitar& g, const std::string&, LoadContext&) {
    g.ui.outtxt[kMetroLabel].color = g.song.metroOn == 1 ? kColorActive : kColorAvailable;
}

void applyDelay(Guitar& g, const std::string& v, LoadContext&) {
    if (g.config.defaultLeadIn > 0) {
        g.config.defaultLeadIn = headerNumber(v, lim::kLeadInLo, lim::kLeadInHi);
    }
}

void applyStyle(Guitar& g, const std::string& v, LoadContext&) {
    selectSound(g, headerNumber(v, lim::kSoundLo, lim::kSoundHi));
}

void showLessonPicture(Guitar& g, const std::string& v, LoadContext&) {
    // The default lesson picture is the program's own; a song's own picture sits with the songs.
    const std::string own = g.app.appFolder + v;
    g.ui.NewLessonPic.file = g.app.dataFolder + v;
    if (!fileExists(g.ui.NewLessonPic.file) && fileExists(own)) g.ui.NewLessonPic.file = own;
    g.ui.NewLessonPic.visible = true;
    if (!fileExists(g.ui.NewLessonPic.file)) reportMissingOnce(g, g.ui.NewLessonPic.file);
}

void applyPlayWav(Guitar& g, const std::string& v, LoadContext& context) {
    if (g.config.playIntroClips == 1) context.clip = g.song.songFolder + v;
}

using HeaderEffect = void (*)(Guitar&, const std::string&, LoadContext&);

struct HeaderKey {
    std::string_view key;
    HeaderEffect apply;
};

constexpr std::array<HeaderKey, 10> kWindowKeys = {{
    {"title=", showTitle},
    {"frames=", applyFrames},
    {"page=", showPageKind},
    {"pointer=", applyPointer},
    {"vpointer=", applyVpointer},
    {"metro=", showMetronome},
    {"delay=", applyDelay},
    {"style=", applyStyle},
    {"lessonpic=", showLessonPicture},
    {"playwav=", applyPlayWav},
}};

}  // namespace

std::string namedElsewhereMessage(const std::string& whose, const std::string& key,
                                  const std::string& value, const std::string& folder) {
    const std::string named = "The " + whose + " \"" + key + "\" names ";
    if (value.empty()) return named + "no file.";
    return named + "a file outside " + folder + " (" + value + "); it was not read.";
}

void applyHeader(Guitar& g, const std::vector<HeaderEntry>& header, LoadContext& context) {
    for (const HeaderEntry& entry : header) {
        if (namesFileElsewhere(entry)) {
            showMessage(g, namedElsewhereMessage("song's", entry.key, entry.value, "its folder"));
            continue;
        }
        applySongField(g.song, entry, context.currentFormat);
        for (const HeaderKey& known : kWindowKeys) {
            if (entry.key == known.key) known.apply(g, entry.value, context);
        }
    }
}

}  // namespace lutavo
