// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuning/heard_tuning.h"

#include "base/pitch_names.h"
#include "platform/audio_input.h"
#include "tuning/tuner_reading.h"

namespace lutavo {

namespace {

constexpr int kLowE = 40;  // the pitch table counts from the open low E

constexpr const char* kPlayAString = "Play a string";
constexpr const char* kNoInput = "No sound input to listen to: connect a microphone";

std::array<int, 6> openStrings(const PitchTable& pitchOf) {
    std::array<int, 6> open{};
    for (int slot = 1; slot <= 6; ++slot)
        open[static_cast<std::size_t>(slot - 1)] = kLowE + pitchOf(slot, 0);
    return open;
}

std::string stringNameOf(int slot, int openPitch) {
    static constexpr std::array<const char*, 6> kOrdinals = {"6th", "5th", "4th",
                                                             "3rd", "2nd", "1st"};
    return std::string(kOrdinals[static_cast<std::size_t>(slot - 1)]) + " string (" +
           sharpPitchName(openPitch) + ")";
}

}  // namespace

void startHearing(HeardTuning& heard, AudioInput* input, TimerModel& timer) {
    if (heard.listening) return;
    heard = HeardTuning{};
    heard.listening = input != nullptr && input->startListening();
    heard.noInput = !heard.listening;
    heard.caption = heard.listening ? kPlayAString : kNoInput;
    timer.interval = kHearingIntervalMs;
    timer.enabled = heard.listening;
}

void stopHearing(HeardTuning& heard, AudioInput* input, TimerModel& timer) {
    if (heard.listening && input != nullptr) input->stopListening();
    heard = HeardTuning{};
    timer.enabled = false;
}

void followHearing(HeardTuning& heard, const AudioInput& input, const PitchTable& pitchOf) {
    heard.level = input.heardLevel();
    const double hz = input.heardPitch();
    heard.steady = hz > 0;
    if (!heard.steady) {
        // The needle stays where it was last, and the caption with it, until a new note.
        return;
    }
    const std::array<int, 6> open = openStrings(pitchOf);
    const TunerReading reading = readTuner(hz, open);
    heard.cents = reading.cents;
    heard.caption = tunerCaption(reading);
    heard.stringName =
        reading.slot > 0
            ? stringNameOf(reading.slot, open[static_cast<std::size_t>(reading.slot - 1)])
            : "";
}

}  // namespace lutavo
