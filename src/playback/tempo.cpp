// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/tempo.h"

#include "base/numbers.h"

namespace lutavo {

long long tickIntervalMicros(int tempo, int percent) {
    const long long stepMicros = (2LL * clampTo(tempo, kFastestTempo, kSlowestTempo) + 20) * 1000;
    const long long p = clampTo(percent, kSlowestPercent, kFastestPercent);
    return (stepMicros * 100 + p / 2) / p;
}

}  // namespace lutavo
