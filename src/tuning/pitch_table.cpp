#include "tuning/pitch_table.h"

#include <array>

#include "core/guitar.h"
#include "playback/sound.h"
#include "theory/keys.h"

namespace lutavo {

namespace {

// Open-string pitches of standard tuning, slot 1 (low E) to slot 6 (high E).
constexpr std::array<int, kStrings> kStandardOpen = {0, 5, 10, 15, 19, 24};

}  // namespace

void buildpitchtable(Guitar& g) {
    for (int s = 1; s <= kStrings; ++s) {
        const int open = g.song.altTuning[s] + kStandardOpen[static_cast<std::size_t>(s - 1)];
        for (int f = 0; f <= kTopFret; ++f)
            g.tuning.pitchOf(s, f) = clampInt16(open + f);
        g.ui.StringName[s - 1].caption = noteNameOf(g.keys, g.tuning.pitchOf(s, 0));
    }
    buildPlaybackTables(g);
    g.ui.form.mousePointer = MousePointer::Normal;
}

}  // namespace lutavo
