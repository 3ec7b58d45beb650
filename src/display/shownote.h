// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Showing the note presented: where it stands and what its strings do, on the neck and the
// keyboard. What it sounds is the playback's: the display only draws.

namespace lutavo {

struct Guitar;
struct WindowControls;

// Shows note slot n: the note pointer under its column, the editor's length scale at its length,
// its struck, held, bent and muted strings on the neck and the keyboard (the previous note's
// markers go), and the note counter.
void shownote(Guitar& g, int n);

// The line pointer of a picture page moves to line `line`.
void moveLinePointer(WindowControls& ui, int line);

// The page shown becomes `page` (drawn afresh when it changes).
void showPageOf(Guitar& g, int page);

}  // namespace lutavo
