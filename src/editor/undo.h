#pragma once
// Undo and redo of every change the editor makes to the song.

#include <functional>

namespace lutavo {

struct Guitar;

// At least this many steps can be undone.
inline constexpr int kUndoSteps = 500;

// Runs change; when it changed the song, it becomes one step that undo takes back.
void recordUndo(Guitar& g, const std::function<void()>& change);
// Takes back the last step (or puts back the last step undone); false when there is none.
bool undoEdit(Guitar& g);
bool redoEdit(Guitar& g);
// Typing in a field of the song information: the song as it was before the field's first
// change is kept, and the field's change becomes one step when the field is left (or when undo,
// redo or another change comes first).
void beginTyping(Guitar& g);
void endTyping(Guitar& g);
// A new song: nothing to undo.
void clearUndo(Guitar& g);

}  // namespace lutavo
