// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound card's capture directly, for a desktop without a sound server: a thread of its own
// reads blocks of 10 ms and hands them to the ear as they come.

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/audio_input.h"
#include "services/hearing/input_ear.h"

struct _snd_pcm;

namespace lutavo {

class AlsaInput : public EarInput {
  public:
    AlsaInput() = default;
    ~AlsaInput() override;
    AlsaInput(const AlsaInput&) = delete;
    AlsaInput& operator=(const AlsaInput&) = delete;

    bool startListening() override;
    void stopListening() override;
    // An ALSA device name ("" for "default").
    void chooseInput(const std::string& id) override { device_ = id; }
    bool listening() const { return pcm_ != nullptr; }

  private:
    void readBlocks();

    std::string device_;
    _snd_pcm* pcm_ = nullptr;
    std::atomic<bool> running_{false};
    std::thread reader_;
};

}  // namespace lutavo
