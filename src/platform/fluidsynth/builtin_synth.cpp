#include "platform/fluidsynth/builtin_synth.h"

#include <fluidsynth.h>

#include <array>

namespace lutavo {

BuiltInSynth::BuiltInSynth(const std::string& soundFont) : engine_(soundFont) {
    if (!engine_.ready()) {
        problem_ = engine_.problem();
        return;
    }
    // The sound server first (desktops run one), then the sound card directly.
    static constexpr std::array kDrivers = {"pulseaudio", "alsa"};
    for (const char* driver : kDrivers) {
        fluid_settings_setstr(engine_.settings(), "audio.driver", driver);
        driver_ = new_fluid_audio_driver(engine_.settings(), engine_.synth());
        if (driver_ != nullptr) return;
    }
    problem_ = "no audio output for the built-in synthesizer";
}

BuiltInSynth::~BuiltInSynth() {
    // The audio thread reads the synthesizer: stop it before the synthesizer goes.
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
}

void BuiltInSynth::send(std::uint32_t message) {
    if (live()) engine_.send(message);
}

}  // namespace lutavo
