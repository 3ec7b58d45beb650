#pragma once
// The wave player of the program: clips read once and started in the audio stream, over the
// built-in synthesizer, whichever MIDI device plays the notes.

#include <map>
#include <memory>
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
    const StereoClip* clip(const std::string& path);

    AudioOutput& output_;
    // Kept for the program's life: the audio thread may still be playing a clip read earlier,
    // and the program's clips are a handful of small files played again and again.
    std::map<std::string, std::unique_ptr<StereoClip>> clips_;
};

}  // namespace lutavo
