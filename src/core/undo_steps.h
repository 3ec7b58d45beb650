// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The steps of undo: any handler that may change the song, in whatever folder it sits, runs the
// change through recordUndo, so every change the user makes (notes, capo, texts) is one step.

#include <deque>
#include <functional>

#include "core/editor_state.h"
#include "core/transport_state.h"
#include "song/song_model.h"

namespace lutavo {

// The parts of the program's state that a step of undo keeps and brings back.
struct UndoParts {
    SongModel& song;
    const TransportState& transport;
    EditorState& editor;
    int pages;  // the song's page count as the window shows it
};

// At least this many steps can be undone.
inline constexpr int kUndoSteps = 500;

// Runs change; when it changed the song, the held notes are settled as the song's file keeps them
// and the change becomes one step that undo takes back.
void recordUndo(const UndoParts& p, const std::function<void()>& change);

// Typing in a song text box is one step from its first key to the box losing focus, or to
// another change, undo or redo coming first.
void beginTyping(const UndoParts& p);
void endTyping(const UndoParts& p);

// The song and where the user is in it, as undo and redo bring them back.
UndoStep undoStepNow(const UndoParts& p);

// Adds step as the newest of steps; the oldest goes past kUndoSteps.
void keepStep(std::deque<UndoStep>& steps, UndoStep step);

}  // namespace lutavo
