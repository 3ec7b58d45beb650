// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

namespace lutavo {

// The name of a MIDI note's pitch class with sharps ("C", "C#", ... "B"), the way a tuner and a
// report of heard notes name it, whatever the song's key.
inline const char* sharpPitchName(int midi) {
    static constexpr std::array<const char*, 12> kNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                           "F#", "G",  "G#", "A",  "A#", "B"};
    return kNames[static_cast<std::size_t>(((midi % 12) + 12) % 12)];
}

}  // namespace lutavo
