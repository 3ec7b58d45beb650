// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Entering and leaving the song editor, the close button in every mode, and the question that
// keeps unsaved edits from being lost.

namespace lutavo {

struct Guitar;

// EDIT: the editor opens on the song in memory, or on the new-song template for the program's
// own songs. A locked song is refused.
void enterEditor(Guitar& g);

// Leaves the editor, first asking when the song has unsaved changes; false when the user
// chose to stay.
bool leaveEditor(Guitar& g);

// The close button: leaves the editor, or closes the lesson, the chord library or the song and
// returns to the start-up song; on the start-up song itself the program ends.
void btnlexit_Click(Guitar& g);

// The window is about to close: true when it may (no unsaved edits, or the user let them go).
bool confirmQuit(Guitar& g);

}  // namespace lutavo
