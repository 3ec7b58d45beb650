// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/tempo.h"

#include <algorithm>
#include <cstdlib>

#include "base/numbers.h"
#include "core/playback_state.h"

namespace lutavo {

long long tickIntervalMicros(int tempo, int percent) {
    const long long stepMicros = (2LL * clampTo(tempo, kFastestTempo, kSlowestTempo) + 20) * 1000;
    const long long p = clampTo(percent, kSlowestPercent, kFastestPercent);
    return (stepMicros * 100 + p / 2) / p;
}

SpeedPlan withinLimits(SpeedPlan plan) {
    plan.startPercent = clampTo(plan.startPercent, kSlowestPercent, kFastestPercent);
    plan.goalPercent = clampTo(plan.goalPercent, kSlowestPercent, kFastestPercent);
    plan.stepPercent = clampTo(plan.stepPercent, 1, 100);
    plan.passesPerStep = clampTo(plan.passesPerStep, 1, 99);
    return plan;
}

int passPercent(const SpeedPlan& plan, int pass) {
    const int distance = std::abs(plan.goalPercent - plan.startPercent);
    // The last step may be shorter than the others: it lands on the goal.
    const int stepsToGoal = (distance + plan.stepPercent - 1) / plan.stepPercent;
    const int step = (std::max(pass, 1) - 1) / plan.passesPerStep;
    if (step > stepsToGoal && !plan.loopAtGoal) return 0;
    const int moved = std::min(step * plan.stepPercent, distance);
    return plan.goalPercent >= plan.startPercent ? plan.startPercent + moved
                                                 : plan.startPercent - moved;
}

}  // namespace lutavo
