#pragma once
// How long a tick lasts at each tempo step: the playback timer's interval, and the time base of
// every performance.

namespace lutavo {

inline constexpr int kFastestTempo = 1;
inline constexpr int kSlowestTempo = 30;

// Milliseconds a tick lasts at tempo step `tempo` (1 fastest, 30 slowest); a step outside that
// range, as a song file may hold, plays at the nearest one.
int tickIntervalMs(int tempo);

}  // namespace lutavo
