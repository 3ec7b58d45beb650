// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Markers of the current note on the neck and the keyboard. Each draws over the shown pictures;
// refreshNeck removes them all.

#include <string>

#include "platform/picture.h"

namespace lutavo {

struct Guitar;
struct NeckState;

// Loads the keyboard and the marker sheets once.
void loadNeckSheets(Guitar& g);

// Copies the plain neck and keyboard over the shown pictures.
void refreshNeck(NeckState& neck);

// Draws the neck and keyboard also at scale 2 or 4 from the sheets of that scale, with the
// markers now shown; 1 stops it. False when a sheet cannot be read (the finer neck is then not
// drawn).
bool useFineNeck(Guitar& g, int scale);

// A struck fret 0..23 on a string slot.
void drawStruckMarker(Guitar& g, int slot, int fret);
// A note held over from an earlier step on the string, at its fret 0..23.
void drawHeldMarker(Guitar& g, int slot, int fret);
// A bend on the string: the next semitone above the string's last struck fret, drawn lower.
void drawBendMarker(Guitar& g, int slot);
// A muted string: the cross at the nut, no key.
void drawMutedMarker(Guitar& g, int slot);

}  // namespace lutavo
