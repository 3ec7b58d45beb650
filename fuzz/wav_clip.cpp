// SPDX-License-Identifier: GPL-3.0-or-later
// The clip reader and the stream's clip voice: any bytes read as a WAV file and, when taken,
// played through the mixer for a few blocks.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_scratch.h"
#include "services/fluidsynth/audio_output.h"
#include "services/fluidsynth/pcm_clip.h"
#include "services/fluidsynth/stream_mixer.h"

namespace {

constexpr int kBlockFrames = 512;
constexpr int kBlocks = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lutavo;
    const std::string path = fuzz::writeScratch("clip.wav", data, size);
    std::string problem;
    const PcmClip clip = readPcmWav(path, problem);
    if (clip.channels == 0) {
        if (problem.empty()) fuzz::broken("a refused clip says why");
        return 0;
    }
    if (clip.channels > 2 || clip.sampleRate <= 0 ||
        clip.samples.size() % static_cast<std::size_t>(clip.channels) != 0)
        fuzz::broken("a clip taken is whole frames of one or two channels at a real rate");
    const StereoClip stereo = toStereo(clip, kLiveSampleRate);
    StreamMixer mixer(StreamClock::exact(kLiveSampleRate));
    StreamEvent start;
    start.clip = &stereo;
    if (!mixer.post(start)) fuzz::broken("an empty queue takes an event");
    std::vector<float> left(kBlockFrames), right(kBlockFrames);
    for (int block = 0; block < kBlocks; ++block) {
        std::fill(left.begin(), left.end(), 0.0f);
        std::fill(right.begin(), right.end(), 0.0f);
        mixer.render(left.data(), right.data(), kBlockFrames);
        for (int i = 0; i < kBlockFrames; ++i) {
            if (!(std::fabs(left[i]) <= 1.0f && std::fabs(right[i]) <= 1.0f))
                fuzz::broken("the mixed stream stays within full scale");
        }
    }
    return 0;
}
