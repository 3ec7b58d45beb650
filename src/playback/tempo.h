// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How long a tick lasts at each tempo step and speed: the playback timer's interval, and the
// time base of every performance.

namespace lutavo {

inline constexpr int kFastestTempo = 1;
inline constexpr int kSlowestTempo = 30;
// The speeds a song can be practised at, in percent of its own tempo.
inline constexpr int kSlowestPercent = 25;
inline constexpr int kFastestPercent = 200;

// Microseconds a tick lasts at tempo step `tempo` (1 fastest, 30 slowest) played at `percent`
// of that step's speed; a step or a speed outside the ranges plays at the nearest one.
long long tickIntervalMicros(int tempo, int percent = 100);

}  // namespace lutavo
