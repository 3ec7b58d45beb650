// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The speed trainer: the passage (or the current line) looped from a slow speed up to a goal,
// a step every few passes.

namespace lutavo {

struct Guitar;
struct SpeedPlan;
class Dialogs;

// `T`: starts the trainer on the passage, or on the current line when none is marked, from the
// plan's first speed; again, stops it and the speed from before comes back.
void toggleTrainer(Guitar& g);

// `Shift+T`: the trainer's plan in a form (start, goal, step, passes a step, a count-in, what
// happens at the goal); kept for the session when confirmed.
void editTrainerPlan(Dialogs* dialogs, SpeedPlan& plan);

}  // namespace lutavo
