// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/clip_voice.h"

#include <algorithm>

namespace lutavo {

StereoClip toStereo(const PcmClip& clip, int outRate) {
    StereoClip out;
    if (clip.channels < 1 || clip.sampleRate <= 0 || outRate <= 0) return out;
    const long frames = (clip.frames() * outRate + clip.sampleRate - 1) / clip.sampleRate;
    out.samples.resize(static_cast<std::size_t>(2 * frames));
    constexpr float kFullScale = 32768.0f;
    const auto sample = [&](long frame, int side) {
        const long from = std::min(clip.frames() - 1, frame);
        const int channel = std::min(side, clip.channels - 1);
        return clip.samples[static_cast<std::size_t>(from * clip.channels + channel)] / kFullScale;
    };
    for (long f = 0; f < frames; ++f) {
        // Drawn between the two clip frames around it: a click keeps its shape at any rate,
        // where repeating the nearest frame would shake its edges by a frame.
        const long from = f * clip.sampleRate / outRate;
        const float part = static_cast<float>(f * clip.sampleRate % outRate) / outRate;
        for (int side = 0; side < 2; ++side) {
            out.samples[static_cast<std::size_t>(2 * f + side)] =
                sample(from, side) * (1 - part) + sample(from + 1, side) * part;
        }
    }
    return out;
}

void ClipVoice::mixInto(float* left, float* right, int frames) {
    if (playing_ == nullptr) return;
    const long count = std::min<long>(frames, playing_->frames() - at_);
    const float* from = playing_->samples.data() + 2 * at_;
    for (long i = 0; i < count; ++i) {
        left[i] += from[2 * i];
        right[i] += from[2 * i + 1];
    }
    at_ += count;
    if (at_ >= playing_->frames()) playing_ = nullptr;
}

}  // namespace lutavo
