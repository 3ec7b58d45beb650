// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/song_tables.h"

#include "app/song_header.h"
#include "core/guitar.h"
#include "playback/sound.h"
#include "theory/keys.h"
#include "tuning/pitch_table.h"
#include "tuning/tuning_names.h"

namespace lutavo {

namespace {

// The string buttons' names, lowest string first, each followed by one blank.
std::string stringNames(const WindowControls& ui) {
    std::string names;
    for (int i = 0; i < kStrings; ++i)
        names += ui.StringName[i].caption + " ";
    return names;
}

// The tuning button and, on the TUNE page, the labels above the page say which tuning is in
// force. The button calls a tuning without a name of its own by its strings; the page has them
// on its left already and calls it "Alternate".
void nameTheTuning(Guitar& g) {
    const std::string names = stringNames(g.ui);
    const std::string_view known = knownTuningName(g.song.altTuning);
    g.ui.btntune.caption =
        known.empty() ? names.substr(0, names.size() - 1) : upperCase(std::string(known));
    if (!g.display.tuningHeader) return;
    g.ui.lblleft.caption = names;
    g.ui.lblright.caption = known.empty() ? "Alternate" : std::string(known);
}

}  // namespace

void setkey(KeyState& keys, SongModel& song) {
    applyKey(keys, song.songKey);
}

void buildpitchtable(Guitar& g) {
    fillPitchTable(g.tuning, g.song.altTuning);
    for (int s = 1; s <= kStrings; ++s)
        g.ui.StringName[s - 1].caption = noteNameOf(g.keys, g.tuning.pitchOf(s, 0));
    nameTheTuning(g);
    setupPlaybackControls(g);
    g.ui.form.mousePointer = MousePointer::Normal;
}

}  // namespace lutavo
