// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>

#include "platform/audio_input.h"

namespace lutavo::test {

// A strike at ms that sounds the pitch classes given and nothing else.
inline HeardOnset strikeOf(std::initializer_list<int> classes, long ms = 0) {
    HeardOnset strike;
    strike.ms = ms;
    for (int pc : classes)
        strike.rise[static_cast<std::size_t>(pc)] = 1.0f;
    return strike;
}

// An input whose pitch and level the test sets; it can be made to have no device.
class FakeAudioInput : public AudioInput {
  public:
    bool startListening() override { return listening = present; }
    void stopListening() override { listening = false; }
    double heardPitch() const override { return listening ? pitch : 0.0; }
    float heardLevel() const override { return listening ? level : 0.0f; }
    bool takeStrike(HeardOnset& strike) override {
        if (!listening || strikes.empty()) return false;
        strike = strikes.front();
        strikes.pop_front();
        return true;
    }

    std::vector<InputChoice> inputs() override { return choices; }
    void chooseInput(const std::string& id) override { chosen = id; }

    std::vector<InputChoice> choices = {{"", kDefaultInputName}, {"usb-mic", "USB microphone"}};
    std::string chosen;
    bool present = true;
    bool listening = false;
    double pitch = 0;
    float level = 0;
    std::deque<HeardOnset> strikes;
};

}  // namespace lutavo::test
