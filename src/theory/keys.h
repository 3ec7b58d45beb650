// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include "theory/spelling.h"

namespace lutavo {

struct KeyState;

// Fills every key table for the key index songKey: odd values are sharp keys with
// (songKey - 1) / 2 sharps, even values flat keys with songKey / 2 flats, at most 7.
void applyKey(KeyState& keys, int songKey);

// The key index's signature: whether it holds sharps (else flats), and how many (0..7).
constexpr bool sharpKey(int songKey) {
    return songKey % 2 != 0;
}
int signatureCount(int songKey);

// Writes the tones on the staff as spelled (a chord's or a scale's own spelling) over the tables
// of key index songKey: each tone's staff line, the sign it needs against that key's signature,
// and its row of names on the neck. The key's note names stay as they are.
void writeTonesAsSpelled(KeyState& keys, int songKey, std::span<const SpelledTone> tones);

// The name of a pitch counted in semitones from the open low E (any value, also negative),
// without the padding blank: "E", "F#", "Bb".
std::string noteNameOf(const KeyState& keys, int pitch);

}  // namespace lutavo
