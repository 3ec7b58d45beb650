// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notes a passage may begin and end on, and the passage a drag across the page marks.

#include "core/transport_state.h"

namespace lutavo {

struct SongModel;

// The first note at or after n that sounds or rests (no page end or marker); 0 when none.
int passageNoteFrom(const SongModel& song, int n);
// The last such note at or before n; 0 when none.
int passageNoteUpTo(const SongModel& song, int n);

// The passage from one note to another, in either order, each end on the nearest note a passage
// may hold within them; the range as it was when none lies between them. Looping stays as it was.
PlayRange draggedPassage(const SongModel& song, PlayRange range, int from, int to);

}  // namespace lutavo
