// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The song editor's state: the marked range, the copy buffer, the note count at the last save,
// and the last click on the neck.

#include <deque>
#include <optional>
#include <vector>

#include "base/numbers.h"
#include "song/song_edit.h"

namespace lutavo {

// One step of undo: the song and where the user was in it.
struct UndoStep {
    SongSnapshot song;
    i16 curNote = 0;
    i16 curPage = 1;
    int pageCount = 1;
    bool markActive = false;
    i16 markStart = 0;
    i16 markEnd = 0;
};

struct EditorState {
    bool markActive = false;
    i16 markStart = 0;  // 0: no mark
    i16 markEnd = 0;
    // The copied notes, kept apart from the song so that the song can never grow into them.
    std::vector<NoteSlot> copyBuffer;
    i16 copyCapo = 0;  // the capo the copied frets were entered under
    i16 savedNoteCount = 0;
    // The string slot and fret under the last click on the neck; clickFret is -1 after a click
    // that switched the string off.
    i16 clickString = 0;
    i16 clickFret = 0;
    // The real curNote while a click outside the editor borrows slot 0 (scratchBorrowed), so a
    // second press before the release keeps the real one.
    i16 savedCurNote = 0;
    bool scratchBorrowed = false;
    // Undo and redo, newest last.
    std::deque<UndoStep> undo;
    std::deque<UndoStep> redo;
    // The song as it was when the user began typing in a field of the song information: the
    // field's whole change becomes one step of undo when the field is left.
    std::optional<UndoStep> typingFrom;
};

}  // namespace lutavo
