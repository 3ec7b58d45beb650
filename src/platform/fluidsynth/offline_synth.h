#pragma once
// The built-in synthesizer rendering into memory instead of a sound card: timed short messages
// in, interleaved 16-bit stereo samples at 44.1 kHz out, and a WAV file writer for them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fluidsynth/synth_engine.h"
#include "playback/midi_file.h"

namespace lutavo {

class OfflineSynth {
  public:
    explicit OfflineSynth(const std::string& soundFont);

    bool ready() const { return engine_.ready(); }
    const std::string& problem() const { return engine_.problem(); }

    // Renders from time 0 to endMs, each message taking effect at the first sample frame at or
    // after its time (messages are taken in time order; ties keep their given order). Returns
    // left/right pairs, frameAt(endMs) of them. Empty when not ready.
    std::vector<std::int16_t> render(std::vector<TimedMessage> messages, long endMs);

    // Writes stereo 16-bit PCM at 44.1 kHz. False when the file cannot be written.
    static bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples);

  private:
    void renderFrames(std::vector<std::int16_t>& out, long frames);

    SynthEngine engine_;
};

// The sample frame at which a time in milliseconds falls.
long frameAt(long timeMs);

}  // namespace lutavo
