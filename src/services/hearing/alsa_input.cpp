// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/alsa_input.h"

#include <alsa/asoundlib.h>

#include <array>

namespace lutavo {

namespace {

constexpr unsigned kLatencyUs = 20'000;
constexpr int kBlockFrames = InputEar::kRate / 100;

}  // namespace

AlsaInput::~AlsaInput() {
    stopListening();
}

bool AlsaInput::startListening() {
    if (pcm_ != nullptr) return true;
    const std::string device = device_.empty() ? "default" : device_;
    if (snd_pcm_open(&pcm_, device.c_str(), SND_PCM_STREAM_CAPTURE, 0) < 0) {
        pcm_ = nullptr;
        return false;
    }
    if (snd_pcm_set_params(pcm_, SND_PCM_FORMAT_FLOAT, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                           InputEar::kRate, 1, kLatencyUs) < 0) {
        snd_pcm_close(pcm_);
        pcm_ = nullptr;
        return false;
    }
    ear_ = std::make_unique<InputEar>();
    running_ = true;
    reader_ = std::thread([this] { readBlocks(); });
    return true;
}

void AlsaInput::stopListening() {
    if (pcm_ == nullptr) return;
    running_ = false;
    reader_.join();
    snd_pcm_close(pcm_);
    pcm_ = nullptr;
    ear_.reset();
}

// A read that fails is recovered from (an overrun loses its frames: they are heard as silence);
// a device that cannot go on ends the reading.
void AlsaInput::readBlocks() {
    std::array<float, kBlockFrames> block{};
    while (running_) {
        const snd_pcm_sframes_t got = snd_pcm_readi(pcm_, block.data(), block.size());
        if (got < 0) {
            if (snd_pcm_recover(pcm_, static_cast<int>(got), 1) < 0) break;
            ear_->hearSilence(block.size());
            continue;
        }
        ear_->hear(block.data(), static_cast<std::size_t>(got));
        ear_->placeOnClock();
    }
}

}  // namespace lutavo
