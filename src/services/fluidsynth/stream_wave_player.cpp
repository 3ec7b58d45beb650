#include "services/fluidsynth/stream_wave_player.h"

#include "services/fluidsynth/audio_output.h"
#include "services/fluidsynth/pcm_clip.h"

namespace lutavo {

const StereoClip* StreamWavePlayer::clip(const std::string& path) {
    if (const auto found = clips_.find(path); found != clips_.end()) return found->second.get();
    std::string problem;
    const PcmClip read = readPcmWav(path, problem);
    if (!problem.empty()) return nullptr;
    auto converted = std::make_unique<StereoClip>(toStereo(read, kLiveSampleRate));
    return clips_.emplace(path, std::move(converted)).first->second.get();
}

bool StreamWavePlayer::play(const std::string& path) {
    const StereoClip* found = clip(path);
    if (found == nullptr) return false;
    if (output_.settled() && !output_.streamLive()) return false;
    output_.playClip(found);
    return true;
}

}  // namespace lutavo
