#pragma once
// The built-in synthesizer played live through the machine's sound output. The sound font is
// loaded once and the audio output opened once; a machine without either stays silent.

#include <memory>
#include <string>

#include "platform/fluidsynth/synth_engine.h"

namespace lutavo {

class BuiltInSynth {
  public:
    explicit BuiltInSynth(const std::string& soundFont);
    ~BuiltInSynth();
    BuiltInSynth(const BuiltInSynth&) = delete;
    BuiltInSynth& operator=(const BuiltInSynth&) = delete;

    // True when the synthesizer is sounding through an audio output.
    bool live() const { return driver_ != nullptr; }
    // Why it is silent ("" when live).
    const std::string& problem() const { return problem_; }

    void send(std::uint32_t message);
    void reset() { engine_.reset(); }

  private:
    SynthEngine engine_;
    fluid_audio_driver_t* driver_ = nullptr;
    std::string problem_;
};

}  // namespace lutavo
