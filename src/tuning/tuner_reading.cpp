// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuning/tuner_reading.h"

#include <cmath>
#include <cstdio>

#include "base/pitch_names.h"

namespace lutavo {

namespace {

double midiOf(double hz) {
    return 69.0 + 12.0 * std::log2(hz / 440.0);
}

}  // namespace

TunerReading readTuner(double hz, const std::array<int, 6>& openPitches) {
    TunerReading r;
    if (!(hz > 0)) return r;
    const double exact = midiOf(hz);
    r.midi = static_cast<int>(std::lround(exact));
    r.cents = (exact - r.midi) * 100.0;
    double nearest = kStringReachCents;
    for (int slot = 1; slot <= 6; ++slot) {
        const double off = (exact - openPitches[static_cast<std::size_t>(slot - 1)]) * 100.0;
        if (std::fabs(off) > nearest) continue;
        nearest = std::fabs(off);
        r.slot = slot;
    }
    return r;
}

std::string tunerCaption(const TunerReading& reading) {
    char text[48];
    const int octave = reading.midi / 12 - 1;
    if (std::fabs(reading.cents) < 1.0)
        std::snprintf(text, sizeof text, "%s%d  in tune", sharpPitchName(reading.midi), octave);
    else
        std::snprintf(text, sizeof text, "%s%d  %+.0f cents", sharpPitchName(reading.midi), octave,
                      reading.cents);
    return text;
}

}  // namespace lutavo
