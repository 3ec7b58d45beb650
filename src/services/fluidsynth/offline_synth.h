// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's audio stream rendered into memory instead of a sound card: timed short messages
// and clip starts in, interleaved 16-bit stereo samples at 44.1 kHz out, and a WAV file writer
// for them. The stream is the live output's own mixer, so the result is what the user hears.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/safe_file.h"
#include "playback/midi_file.h"
#include "services/fluidsynth/stream_mixer.h"
#include "services/fluidsynth/synth_engine.h"

namespace lutavo {

// Rendered files are at the CD rate, the one every player takes.
inline constexpr int kFileSampleRate = 44100;

struct ClipCue {
    long timeMs;
    const StereoClip* clip;
};

class OfflineSynth {
  public:
    explicit OfflineSynth(const std::string& soundFont);

    bool ready() const { return engine_.ready(); }
    const std::string& problem() const { return engine_.problem(); }

    // Renders from time 0 to endMs, each message and clip taking effect at the first sample
    // frame at or after its time (in time order; ties keep their given order, messages before
    // clips). Returns left/right pairs, frameAt(endMs) of them. Empty when not ready.
    std::vector<std::int16_t> render(std::vector<TimedMessage> messages, std::vector<ClipCue> clips,
                                     long endMs);

    // Renders as render() does straight into a WAV file at path, written as writeWav writes
    // one; each piece of the stream is written while the next is rendered.
    WriteResult renderWav(const std::string& path, std::vector<TimedMessage> messages,
                          std::vector<ClipCue> clips, long endMs);

    // Writes stereo 16-bit PCM at 44.1 kHz as saves write songs: an old file is replaced only by
    // a whole one.
    static WriteResult writeWav(const std::string& path, const std::vector<std::int16_t>& samples);

  private:
    using PieceSink = std::function<void(std::span<const std::int16_t>)>;
    // Renders as render() does, handing the frames over in pieces of whole blocks.
    void renderPieces(std::vector<TimedMessage> messages, std::vector<ClipCue> clips, long endMs,
                      const PieceSink& take);
    void renderFrames(std::vector<std::int16_t>& out, long frames);

    SynthEngine engine_;
    StreamMixer mixer_;
    // One block of the stream, reused from block to block.
    std::vector<float> left_;
    std::vector<float> right_;
};

// The sample frame at which a time in milliseconds falls.
long frameAt(long timeMs);

// A stream sample in -1..1 as a 16-bit sample.
std::int16_t toPcm16(float sample);
// Left and right samples as interleaved 16-bit frames, each sample as toPcm16 makes it.
void interleavePcm16(const float* left, const float* right, std::size_t count, std::int16_t* out);

}  // namespace lutavo
