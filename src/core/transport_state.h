#pragma once
// Where the user is in the song: the note presented and the page shown. Kept apart from the song
// model, which holds only what a song file holds.

#include "base/numbers.h"

namespace lutavo {

struct TransportState {
    // The note presented last, or to present next while playing (0: before the first note).
    i16 curNote = 0;
    // The page shown, 1-based.
    i16 curPage = 1;
};

}  // namespace lutavo
