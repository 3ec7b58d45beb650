// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Note entry on the neck: a press picks a string and a fret. In the editor it sets that string
// of the current note and sounds it; in every other mode it only sounds the clicked note, in the
// scratch slot 0. The release redraws the page, or silences the scratch note and gives the
// cursor back.

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

struct Guitar;

// The string slot under y (pixels of the neck picture): 6 at the top .. 1 at the bottom; a
// value outside 1..6 means the press missed the strings.
int stringAtY(double y);

// The fret under x (pixels of the neck picture) for the neck's fret edges: the first fret whose
// edge lies past x in the playing hand's direction, else 24.
int fretAtX(const FixedArray<i16, 0, 24>& edges, bool leftHanded, double x);

// A press on the neck picture with a MouseButton at x, y (pixels of the picture). The tuner's
// adjustment is abandoned first by the window (app/neck_entry.h).
void noteEntry_MouseDown(Guitar& g, int button, double x, double y);
// The release after it.
void noteEntry_MouseUp(Guitar& g);

}  // namespace lutavo
