#include "playback/tempo.h"

#include "base/numbers.h"

namespace lutavo {

int tickIntervalMs(int tempo) {
    return 2 * clampTo(tempo, kFastestTempo, kSlowestTempo) + 20;
}

}  // namespace lutavo
