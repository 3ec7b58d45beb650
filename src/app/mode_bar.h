// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mode bar: seven buttons that load a song or a lesson, tune, edit, open the chord or the
// scale library and print. Each press first hands over from the mode in force.

#include <string>

#include "core/control_ids.h"

namespace lutavo {

struct Guitar;

// Captions and tips of the seven buttons and the items of the CHORDS, SCALES and PRINT menus;
// called once at start-up.
void setupModeBar(Guitar& g);

// Where a menu of the bar opens: at the mouse (a click) or below its button (a key).
enum class MenuPlace { AtMouse, AtButton };

// A press of mode-bar button `index` (0..6).
void modeBarPress(Guitar& g, int index, MenuPlace place = MenuPlace::AtMouse);

// Opens a song, or a lesson (".LSN"), named on the command line as SONGS or LESSONS would with
// it chosen in their dialog.
void openNamedFile(Guitar& g, const std::string& path);

// Hands over from the lesson, a library or the editor before another command runs: the lesson
// and the libraries close and the start-up song is shown again; the editor is
// left (the song stays in memory). Returns false when the mode stays open.
bool closeCurrentMode(Guitar& g);

// Closes the current song or lesson and shows the start-up song.
void closesong(Guitar& g);

}  // namespace lutavo
