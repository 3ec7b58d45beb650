#pragma once

#include <string>

namespace lutavo {

struct KeyState;

// Fills every key table for the key index songKey: odd values are sharp keys with
// (songKey - 1) / 2 sharps, even values flat keys with songKey / 2 flats, at most 7.
void applyKey(KeyState& keys, int songKey);

// The name of a pitch counted in semitones from the open low E (any value, also negative),
// without the padding blank: "E", "F#", "Bb".
std::string noteNameOf(const KeyState& keys, int pitch);

}  // namespace lutavo
