// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tuner panel: one button per string opens the adjustment beside that string; its scroll
// bar raises or lowers the string by semitones; OK keeps, DEF cancels, the reset button returns
// to standard tuning.

namespace lutavo {

struct Guitar;
struct WindowControls;

// Closes the adjustment (buttons raised, panel out of view) and rebuilds the pitch table.
void ClearTuner(Guitar& g);

// True while the adjustment panel is on screen.
bool tunerAdjustmentOpen(const WindowControls& ui);

// Click on string button index (0 = slot 1, the lowest string .. 5 = slot 6).
void StringName_Click(Guitar& g, int index);

// The adjustment scroll bar's value changed (the view has set scrlAdjTuning.value).
void scrlAdjTuning_Change(Guitar& g);

// OK: keep the adjusted tuning.
void cmdtuneOK_Click(Guitar& g);

// DEF: give the string back the offset it had when its button was clicked.
void cmdtunecancel_Click(Guitar& g);

// Reset all six strings to standard tuning.
void btntune_Click(Guitar& g);

}  // namespace lutavo
