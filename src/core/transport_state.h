// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the user is in the song and what a play covers: the note presented, the page shown and
// the play range. Kept apart from the song model, which holds only what a song file holds.

#include "base/numbers.h"

namespace lutavo {

// A stretch of the song that a play covers. Repeat-line is the range of one line that loops;
// the song's own arrays are never cut for it.
struct PlayRange {
    i16 first = 1;  // the first note played
    i16 last = 0;   // the last note played; 0 for the song's last note
    // After `last` has run its length, `first` follows at once, and so on until stopped.
    bool loop = false;

    // A passage chosen, rather than the whole song.
    bool marked() const { return first > 1 || last > 0; }

    // The last note played in a song of noteCount notes; a range left beyond a song that has
    // since grown shorter ends with the song.
    int lastIn(int noteCount) const { return last > 0 && last < noteCount ? last : noteCount; }
};

struct TransportState {
    // The note presented last, or to present next while playing (0: before the first note).
    i16 curNote = 0;
    // The page shown, 1-based.
    i16 curPage = 1;
    PlayRange range;
    // The note a press on the page found, until the button is let go (0: none).
    i16 pressedNote = 0;
    // The whole song starts again after its end.
    bool repeatSong = false;
};

}  // namespace lutavo
