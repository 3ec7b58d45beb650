// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chord library: a root from the CHORDS menu and a type from the strip above the page give
// a locked one-page song of every chord shape found on the neck, in the current tuning and
// above the capo, that plays and steps like any song.

namespace lutavo {

struct Guitar;
struct WindowControls;
struct LibraryState;

// The strip's cells are this wide: type c lies from c * 375 twips.
inline constexpr int kChordCellTwips = 375;

// Fills the root tables and the CHORDS and SCALES menus; called once at start-up.
void setupLibraries(LibraryState& library, WindowControls& ui);

// Item `index` (0..16) of the CHORDS menu: opens the library for that root with "Major".
void mnuchord_Click(Guitar& g, int index);

// A press on the strip above the page at x twips: chooses the chord or scale type under it.
void pagepic_MouseDown(Guitar& g, int button, int shift, double x, double y);

// Builds and shows the library for `root` (a pitch class counted from E) with the chosen type.
void loadchords(Guitar& g, int root);

}  // namespace lutavo
