// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup window's sound input: which input the program listens to, how loud it is now, and
// how late it hears a note the program plays (measured once, with the speakers on and the
// microphone near them), which the scoring of a play allows for.

#include "core/config_state.h"
#include "core/playback_state.h"
#include "core/setup_controls.h"

namespace lutavo {

class AudioInput;
class Dialogs;
class MidiOut;

// A measuring note not heard this long after it sounded was not heard.
inline constexpr long kLatencyWaitMs = 1500;

// At each tick of the window timer: the input listens while the window is open (and lets go
// after, unless othersListen), the meter shows its level, and a measurement ends when its note
// is heard or given up.
void followSetupInput(SetupWindow& w, ConfigState& c, AudioInput* input, MidiOut* midi, long nowMs,
                      bool othersListen);

// The input button: the inputs in a menu; the one chosen is listened to from now on.
void chooseSetupInput(SetupWindow& w, ConfigState& c, AudioInput* input, Dialogs* dialogs);

// The latency button: a note sounds now, heard by the player heardDelayMs later, and the input
// waits for it.
void measureInputLatency(SetupWindow& w, AudioInput* input, MidiOut* midi,
                         const SoundSettings& sound, long nowMs);

}  // namespace lutavo
