// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wave player of the program: clips read once and started in the audio stream, over the
// built-in synthesizer, whichever MIDI device plays the notes.

#include <string>

#include "platform/wave_player.h"
#include "services/fluidsynth/clip_voice.h"

namespace lutavo {

class AudioOutput;

class StreamWavePlayer : public WavePlayer {
  public:
    explicit StreamWavePlayer(AudioOutput& output) : output_(output) {}

    // False for a file that is no playable clip, or when the stream could not be opened.
    bool play(const std::string& path) override;

  private:
    AudioOutput& output_;
};

}  // namespace lutavo
