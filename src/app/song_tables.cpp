#include "app/song_tables.h"

#include "core/guitar.h"
#include "playback/sound.h"
#include "theory/keys.h"
#include "tuning/pitch_table.h"

namespace lutavo {

void setkey(Guitar& g) {
    applyKey(g.keys, g.song.songKey);
}

void buildpitchtable(Guitar& g) {
    fillPitchTable(g.tuning, g.song.altTuning);
    for (int s = 1; s <= kStrings; ++s)
        g.ui.StringName[s - 1].caption = noteNameOf(g.keys, g.tuning.pitchOf(s, 0));
    buildPlaybackTables(g);
    g.ui.form.mousePointer = MousePointer::Normal;
}

}  // namespace lutavo
