// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/setup_input.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "platform/audio_input.h"
#include "platform/dialogs.h"
#include "platform/midi_out.h"

namespace lutavo {

namespace {

constexpr int kMeasuringPitch = 57;  // A3, the open fifth string an octave up: loud and clear
// A strike this much before the note is due is something else the input heard.
constexpr long kEarliestMs = 200;
constexpr int kLatencyLo = -500, kLatencyHi = 1000;

std::string nameOf(const std::vector<InputChoice>& inputs, const std::string& id) {
    const auto it = std::find_if(inputs.begin(), inputs.end(),
                                 [&id](const InputChoice& i) { return i.id == id; });
    return it != inputs.end() ? it->name : id;
}

void showLatency(Label& label, int ms) {
    label.caption = ms == 0 ? "" : std::to_string(ms) + " ms";
}

void endMeasuring(SetupWindow& w, MidiOut* midi) {
    w.clickHeardMs = 0;
    if (midi != nullptr) midi->shortMessage(packMidi(0x80 | w.clickChannel, kMeasuringPitch, 0));
}

void startHearing(SetupWindow& w, const ConfigState& c, AudioInput* input) {
    w.hearing = input != nullptr && input->startListening();
    w.inputbut.caption = w.hearing ? nameOf(input->inputs(), c.inputDevice) : "No input";
    showLatency(w.lbllatency, c.inputLatencyMs);
    // What was heard before the window opened is nobody's.
    for (HeardOnset stale; w.hearing && input->takeStrike(stale);) {
    }
}

void stopHearing(SetupWindow& w, AudioInput* input, bool othersListen) {
    w.hearing = false;
    w.clickHeardMs = 0;
    w.inputMeter.percent = 0;
    if (!othersListen && input != nullptr) input->stopListening();
}

// The first strike near the note's time is the note; the wait ends with it, or when too long.
void followMeasuring(SetupWindow& w, ConfigState& c, AudioInput& input, MidiOut* midi, long nowMs) {
    for (HeardOnset strike; input.takeStrike(strike);) {
        if (strike.ms < w.clickHeardMs - kEarliestMs) continue;
        const long late = strike.ms - w.clickHeardMs;
        c.inputLatencyMs =
            static_cast<i16>(clampTo(static_cast<int>(late), kLatencyLo, kLatencyHi));
        showLatency(w.lbllatency, c.inputLatencyMs);
        endMeasuring(w, midi);
        return;
    }
    if (nowMs < w.clickHeardMs + kLatencyWaitMs) return;
    w.lbllatency.caption = "none";
    w.lbllatency.tip =
        "The note was not heard: turn the speakers up, or hold the microphone near them";
    endMeasuring(w, midi);
}

}  // namespace

void followSetupInput(SetupWindow& w, ConfigState& c, AudioInput* input, MidiOut* midi, long nowMs,
                      bool othersListen) {
    if (!w.loaded) {
        if (w.hearing) stopHearing(w, input, othersListen);
        w.inputbut.caption.clear();
        return;
    }
    if (!w.hearing && w.inputbut.caption.empty()) startHearing(w, c, input);
    if (!w.hearing) return;
    w.inputMeter.percent = static_cast<int>(std::lround(input->heardLevel() * 100));
    if (w.clickHeardMs != 0) {
        followMeasuring(w, c, *input, midi, nowMs);
    } else if (!othersListen) {
        for (HeardOnset idle; input->takeStrike(idle);) {
        }
    }
}

void chooseSetupInput(SetupWindow& w, ConfigState& c, AudioInput* input, Dialogs* dialogs) {
    if (!w.loaded || input == nullptr || dialogs == nullptr) return;
    const std::vector<InputChoice> inputs = input->inputs();
    Menu menu;
    menu.caption = "Sound input";
    for (const InputChoice& choice : inputs)
        menu.items.push_back({choice.name, choice.id == c.inputDevice});
    const int chosen = dialogs->popupMenu(menu);
    if (chosen < 0 || chosen >= static_cast<int>(inputs.size())) return;
    c.inputDevice = inputs[static_cast<std::size_t>(chosen)].id;
    input->chooseInput(c.inputDevice);
    w.inputbut.caption = inputs[static_cast<std::size_t>(chosen)].name;
    // Another input is another path: what was measured does not hold for it.
    c.inputLatencyMs = 0;
    showLatency(w.lbllatency, 0);
}

void measureInputLatency(SetupWindow& w, AudioInput* input, MidiOut* midi,
                         const SoundSettings& sound, long nowMs) {
    if (!w.hearing || midi == nullptr || w.clickHeardMs != 0) return;
    for (HeardOnset stale; input->takeStrike(stale);) {
    }
    w.lbllatency.caption = "...";
    w.lbllatency.tip.clear();
    w.clickChannel = sound.channel;
    midi->shortMessage(packMidi(0x90 | sound.channel, kMeasuringPitch, 127));
    w.clickHeardMs = std::max(1L, nowMs + midi->heardDelayMs());
}

}  // namespace lutavo
