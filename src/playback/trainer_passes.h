// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The speed trainer as a loop plays: each pass takes its speed from the plan as it begins, and
// the run ends after the passes at the goal unless the plan loops there.

namespace lutavo {

struct Guitar;
struct Label;
struct PlaybackState;

// A pass of the loop begins: the trainer, when it runs, sets the pass's speed. False when the
// plan is over and the play must end before the pass sounds.
bool trainerPassBegins(Guitar& g);

// The trainer stops: the large speed goes away and the speed from before it comes back.
void endTrainer(Guitar& g);

// Shows the trainer's speed large on the page while it runs.
void showTrainerSpeed(Label& label, const PlaybackState& pb);

}  // namespace lutavo
