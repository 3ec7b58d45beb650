// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A General MIDI synthesizer with its sound font loaded, playing short messages. Shared by the
// live synthesizer and the offline renderer.

#include <fluidsynth/types.h>

#include <cstdint>
#include <string>

namespace lutavo {

// FluidSynth's default gain of 0.2 is far quieter than other programs; this is close to a
// hardware synthesizer's level without clipping a six-string chord.
inline constexpr double kSynthGain = 0.7;
// Six strings ringing into the next notes' attacks, two layers a note at most, with room to
// spare: the synthesizer's default of 256 voices holds 2 MB that a guitar never sounds.
inline constexpr int kSynthPolyphony = 64;

class SynthEngine {
  public:
    // Renders at sampleRate, the rate of the stream it plays into.
    SynthEngine(const std::string& soundFont, int sampleRate);
    ~SynthEngine();
    SynthEngine(const SynthEngine&) = delete;
    SynthEngine& operator=(const SynthEngine&) = delete;

    // True when the synthesizer exists and its sound font is loaded.
    bool ready() const { return fontId_ >= 0; }
    // Why it is not ready, in a few words.
    const std::string& problem() const { return problem_; }

    // Plays one packed short message; messages a synthesizer has no use for are ignored.
    // FluidSynth locks its own state, so this may run while the audio thread renders.
    void send(std::uint32_t message);
    // Reads the samples a program change will need, so that the thread which plays the change
    // (the audio thread) never waits for the disk. Other messages need nothing.
    void prepare(std::uint32_t message);
    // Silences everything and returns every channel to its power-on state.
    void reset();

    fluid_settings_t* settings() const { return settings_; }
    fluid_synth_t* synth() const { return synth_; }

  private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    int fontId_ = -1;
    std::string problem_;
};

// Plays one packed short message on the synthesizer; messages it has no use for are ignored.
void playShortMessage(fluid_synth_t* synth, std::uint32_t message);

}  // namespace lutavo
