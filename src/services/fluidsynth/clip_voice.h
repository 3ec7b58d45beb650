// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clip voice of the audio stream: one clip at a time, mixed over the synthesizer by the
// audio thread.

#include <vector>

#include "services/fluidsynth/pcm_clip.h"

namespace lutavo {

// A clip in the stream's own form: left/right float pairs at the output rate, read and converted
// once so the audio thread only adds.
struct StereoClip {
    std::vector<float> samples;  // interleaved left, right
    long frames() const { return static_cast<long>(samples.size() / 2); }
};

// Converts a 16-bit clip to the stream's form: a mono clip goes to both sides, a clip of another
// rate is drawn again at outRate, lasting as long.
StereoClip toStereo(const PcmClip& clip, int outRate);

class ClipVoice {
  public:
    // Starts the clip from its beginning, cutting off the one sounding (the same clip started
    // again restarts). The clip must outlive the voice.
    void start(const StereoClip* clip) {
        playing_ = clip;
        at_ = 0;
    }
    // Adds the next frames of the sounding clip to the two channels.
    void mixInto(float* left, float* right, int frames);
    bool busy() const { return playing_ != nullptr; }

  private:
    const StereoClip* playing_ = nullptr;
    long at_ = 0;
};

}  // namespace lutavo
