// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo and redo of every change the editor makes to the song.

#include "core/undo_steps.h"

namespace lutavo {

struct Guitar;

// The parts of the window's state a step of undo keeps.
UndoParts undoParts(Guitar& g);

// Takes back the last step (or puts back the last step undone); false when there is none.
bool undoEdit(Guitar& g);
bool redoEdit(Guitar& g);
// A new song: nothing to undo.
void clearUndo(EditorState& editor);

}  // namespace lutavo
