// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tuner_panel.h"

#include "app/song_tables.h"
#include "core/guitar.h"

namespace lutavo {

namespace {

// The adjustment panel sits beside the string being tuned; the strings are 215 twips apart.
constexpr int kPanelTopOfFirstString = 1840;
constexpr int kStringSpacingTwips = 215;
constexpr int kPanelOnScreenBelow = 6000;

bool validStringIndex(int index) {
    return index >= 0 && index < kStrings;
}

void raiseStringButtons(WindowControls& ui) {
    for (int i = 0; i < kStrings; ++i)
        ui.StringName[i].pressed = false;
}

}  // namespace

void ClearTuner(Guitar& g) {
    raiseStringButtons(g.ui);
    g.ui.pnlAdjTuning.at.top = kTunerPanelHiddenTop;
    buildpitchtable(g);
}

bool tunerAdjustmentOpen(const WindowControls& ui) {
    return ui.pnlAdjTuning.at.top < kPanelOnScreenBelow;
}

void StringName_Click(Guitar& g, int index) {
    if (!validStringIndex(index)) return;
    raiseStringButtons(g.ui);
    g.ui.StringName[index].pressed = true;
    g.ui.pnlAdjTuning.at.top = kPanelTopOfFirstString - kStringSpacingTwips * index;

    auto& t = g.tuning;
    t.tuneString = static_cast<i16>(index + 1);
    t.savedTuning = g.song.altTuning[t.tuneString];
    // Only shows the offset: an offset beyond the bar's reach (from a song file) stays as it is
    // until the bar is moved.
    auto& bar = g.ui.scrlAdjTuning;
    bar.value = clampTo(-t.savedTuning, bar.min, bar.max);
}

void scrlAdjTuning_Change(Guitar& g) {
    g.song.altTuning[g.tuning.tuneString] = clampInt16(-g.ui.scrlAdjTuning.value);
    buildpitchtable(g);
}

void cmdtuneOK_Click(Guitar& g) {
    ClearTuner(g);
}

void cmdtunecancel_Click(Guitar& g) {
    g.song.altTuning[g.tuning.tuneString] = g.tuning.savedTuning;
    ClearTuner(g);
}

void btntune_Click(Guitar& g) {
    for (int s = 1; s <= kStrings; ++s)
        g.song.altTuning[s] = 0;
    ClearTuner(g);
}

}  // namespace lutavo
