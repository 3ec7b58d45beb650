// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's sound clips, synthesised sample by sample (44.1 kHz, 16-bit, mono).

#include <cstdint>
#include <vector>

namespace lutavo::assetgen {

// "tick.wav": the metronome click, a short hollow woodblock knock (70 ms).
std::vector<std::int16_t> synthTick();

// "lclick.wav": the quiet click after a song or the chord library has loaded (40 ms).
std::vector<std::int16_t> synthSoftClick();

// "bob5.wav": the welcome jingle, five plucked strings rising through a G major chord (1.2 s).
std::vector<std::int16_t> synthJingle();

// An open string plucked once and left ringing (2.5 s), for the tuning lesson.
std::vector<std::int16_t> synthOpenString(double frequency);

}  // namespace lutavo::assetgen
