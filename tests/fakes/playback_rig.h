// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A rig set up for sound and playback: standard tuning, one known sound on channel 1, the device
// opened, and a virtual clock that advances by the playback timer's interval at every tick.

#include "app/song_tables.h"
#include "fakes/song_builder.h"
#include "fakes/test_rig.h"
#include "playback/engine.h"
#include "playback/sound.h"
#include "tuning/pitch_table.h"

namespace lutavo::test {

inline constexpr int kTestPatch = 24;

inline void setStandardSound(Guitar& g, int octave = 3, int volume = 10) {
    auto& c = g.config;
    for (int i = 0; i <= 3; ++i) {
        c.soundChannel[i] = 1;
        c.soundPatch[i] = static_cast<i16>(kTestPatch + i);
        c.soundDevice[i] = 0;
        c.soundVolume[i] = static_cast<i16>(volume);
        c.soundOctave[i] = static_cast<i16>(octave);
    }
    c.preferredSound = 0;
}

// Standard tuning, the default sound opened, nothing recorded yet.
inline Guitar& playbackReady(Rig& rig) {
    rig.defaults();
    Guitar& g = rig.g();
    buildpitchtable(g);
    setStandardSound(g);
    applysound(g);
    rig.midi.sent.clear();
    rig.wave.played.clear();
    return g;
}

// Runs up to n ticks of the playback timer, each after its interval on the virtual clock;
// stops early when the timer stops. Returns the number of ticks run.
inline int runTicks(Rig& rig, int n) {
    Guitar& g = rig.g();
    int ran = 0;
    for (; ran < n && g.ntimer.enabled; ++ran) {
        const long long micros = rig.clockMicros + g.ntimer.micros();
        rig.midi.now += static_cast<long>(micros / 1000);
        rig.clockMicros = micros % 1000;
        rig.setClock();
        ntimer_Timer(g);
    }
    return ran;
}

}  // namespace lutavo::test
