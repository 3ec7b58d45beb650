// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/speed_trainer.h"

#include "core/control_ids.h"
#include "core/guitar.h"
#include "platform/dialogs.h"
#include "playback/tempo.h"
#include "playback/trainer_passes.h"
#include "playback/transport.h"
#include "practice/passage.h"

#include <vector>

namespace lutavo {

void toggleTrainer(Guitar& g) {
    auto& pb = g.playback;
    if (pb.trainerOn) {
        if (isPlaying(g)) {
            playbtn_Click(g, kStop);
        } else {
            endTrainer(g);
        }
        return;
    }
    if (g.app.appMode == kModeEditor || g.song.noteCount < 1) return;
    // A run starts at the passage's first note: one under way stops first.
    if (isPlaying(g)) playbtn_Click(g, kStop);
    if (!g.transport.range.loop) toggleLoop(g);
    if (!g.transport.range.loop) return;
    pb.trainerPlan = withinLimits(pb.trainerPlan);
    pb.percentBeforeTrainer = pb.tempoPercent;
    pb.trainerOn = true;
    pb.trainerPass = 0;
    setTempoPercent(g, passPercent(pb.trainerPlan, 1));
    showTrainerSpeed(g.ui.lbltrainer, g.playback);
    playbtn_Click(g, kPlay);
}

void editTrainerPlan(Dialogs* dialogs, SpeedPlan& plan) {
    if (dialogs == nullptr) return;
    const std::vector<NumberField> fields = {
        {"Start at", plan.startPercent, kSlowestPercent, kFastestPercent, "%"},
        {"Goal", plan.goalPercent, kSlowestPercent, kFastestPercent, "%"},
        {"Step", plan.stepPercent, 1, 100, "%"},
        {"Passes a step", plan.passesPerStep, 1, 99, ""},
        {"Count in before each pass", plan.countIn ? 1 : 0, 0, 1, "", true},
        {"Go on looping at the goal", plan.loopAtGoal ? 1 : 0, 0, 1, "", true}};
    const auto values = dialogs->askNumbers("Speed trainer", fields);
    if (!values || values->size() != fields.size()) return;
    const std::vector<int>& v = *values;
    plan = withinLimits({v[0], v[1], v[2], v[3], v[4] != 0, v[5] != 0});
}

}  // namespace lutavo
