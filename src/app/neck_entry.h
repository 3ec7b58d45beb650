// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The neck picture's mouse events: a press first abandons a tuning adjustment under way, then
// goes to note entry.

namespace lutavo {

struct Guitar;

// A press with a MouseButton at x, y (pixels of the neck picture), and its release.
void fretboard_MouseDown(Guitar& g, int button, double x, double y);
void fretboard_MouseUp(Guitar& g);

}  // namespace lutavo
