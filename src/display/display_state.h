#pragma once
// State of the page display, the pointers and the neck markers.

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

struct DisplayState {
    // Neck geometry, filled by setfretboard for the playing hand (pixels of the neck picture).
    FixedArray<i16, 0, 24> fretEdgeX;
    FixedArray<i16, 0, 24> fretMarkerX;
    FixedArray<int, 1, 6> stringY;
    // Per string slot, the fret (or muted code) of the last struck note shown on it.
    FixedArray<i16, 1, 6> lastFret;
    // Distance between two note columns on the current page.
    i16 noteSpacing = 0;
};

}  // namespace lutavo
