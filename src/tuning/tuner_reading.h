// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tuner shows for a heard frequency: the nearest note, how far off it is, and which
// open string the player is most likely tuning.

#include <array>
#include <string>

namespace lutavo {

struct TunerReading {
    int midi = 0;            // the nearest note
    double cents = 0;        // from that note, -50..50
    int slot = 0;            // the open string nearest in pitch, 1 (lowest) .. 6; 0 for none near
    double stringCents = 0;  // from that open string
};

// Open strings further than this from the heard pitch are not the one being tuned.
inline constexpr double kStringReachCents = 600;

// openPitches: MIDI note of each open string, slot 1 (the lowest) first, in the tuning in force.
TunerReading readTuner(double hz, const std::array<int, 6>& openPitches);

// "E2  -12 cents", "A2  in tune" (within a cent), for the tuner's caption.
std::string tunerCaption(const TunerReading& reading);

}  // namespace lutavo
