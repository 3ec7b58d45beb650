// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/trainer_passes.h"

#include <string>

#include "core/guitar.h"
#include "playback/settings_adjuster.h"
#include "playback/tempo.h"

namespace lutavo {

bool trainerPassBegins(Guitar& g) {
    auto& pb = g.playback;
    if (!pb.trainerOn) return true;
    const int percent = passPercent(pb.trainerPlan, ++pb.trainerPass);
    if (percent == 0) return false;
    pb.tempoPercent = static_cast<i16>(percent);
    applyPlayInterval(g);
    showTrainerSpeed(g.ui.lbltrainer, g.playback);
    return true;
}

void endTrainer(Guitar& g) {
    auto& pb = g.playback;
    if (!pb.trainerOn) return;
    pb.trainerOn = false;
    pb.tempoPercent = pb.percentBeforeTrainer;
    applyPlayInterval(g);
    showTrainerSpeed(g.ui.lbltrainer, g.playback);
}

void showTrainerSpeed(Label& label, const PlaybackState& pb) {
    label.visible = pb.trainerOn;
    label.caption = std::to_string(pb.tempoPercent) + "%";
}

}  // namespace lutavo
