// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/neck_entry.h"

#include "app/tuner_panel.h"
#include "core/guitar.h"
#include "editor/note_entry.h"
#include "editor/undo.h"

namespace lutavo {

void fretboard_MouseDown(Guitar& g, int button, double x, double y) {
    if (tunerAdjustmentOpen(g.ui)) {
        g.song.altTuning[g.tuning.tuneString] = g.tuning.savedTuning;
        ClearTuner(g);
    }
    // In the editor a click on the neck changes the song: one step of undo.
    recordUndo(undoParts(g), [&] { noteEntry_MouseDown(g, button, x, y); });
}

void fretboard_MouseUp(Guitar& g) {
    noteEntry_MouseUp(g);
}

}  // namespace lutavo
