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

struct SpeedPlan;

// The plan brought within what it can mean: speeds within 25%..200%, a step of 1..100 percent,
// 1..99 passes a step.
SpeedPlan withinLimits(SpeedPlan plan);

// The speed of pass `pass` (1 the first) of a plan within limits: it moves from the start
// towards the goal by a step every passesPerStep passes, never past the goal; 0 once the passes
// at the goal are over, unless the plan loops there.
int passPercent(const SpeedPlan& plan, int pass);

}  // namespace lutavo
