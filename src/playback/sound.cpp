#include "playback/sound.h"

#include "app/guitar.h"

namespace lutavo {

void applysound(Guitar&) {}

void buildPlaybackTables(Guitar& g) {
    auto& s = g.song;
    for (int t = 1; t <= 30; ++t) s.tempoInterval[t] = static_cast<i16>(2 * t + 20);
    s.tempoBase[30] = 25;
    for (int t = 29; t >= 1; --t) {
        s.tempoBase[t] = toInt16(s.tempoBase[t + 1] * 0.075 + s.tempoBase[t + 1]);
    }
}

}  // namespace lutavo
