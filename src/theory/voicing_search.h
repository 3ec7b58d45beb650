// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search for chord shapes on the neck: a fixed scan of root positions, root strings and
// four-fret hand windows that keeps, for every string above the root string, the best chord
// tone inside the window.

#include <array>
#include <span>
#include <vector>

#include "base/numbers.h"
#include "core/tuning_state.h"

namespace lutavo {

// Per string slot and fret 0..24: semitones above the open low E of standard tuning.
using PitchTable = decltype(TuningState::pitchOf);

// The frets of one shape, element 0 being string slot 1 (the lowest string); -1 silent.
using ChordShape = std::array<i16, 6>;

// The root positions scanned above the capo, and the most shapes a search can give
// (15 positions x 3 root strings x 4 windows).
inline constexpr int kRootPositions = 15;
inline constexpr int kMaxShapes = kRootPositions * 3 * 4;

// Every shape of the chord whose tones lie `semitones` above `root` (a pitch class counted from
// E), in formula order, root first. A shape is kept only when it sounds each of the `needed`
// tones (semitones above the root too): a window that finds other tones gives no shape. Shapes
// come in the order root position ascending, root string 1..3, window start ascending; a shape
// equal to the one kept before it is not repeated.
std::vector<ChordShape> findVoicings(int root, std::span<const int> semitones,
                                     std::span<const int> needed, const PitchTable& pitchOf,
                                     int capo);

}  // namespace lutavo
