// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's default input through the sound server: a record stream of one channel whose
// blocks the server's thread hands straight to the tuner's ear. Nothing is allocated or locked
// for a block, and nothing is connected while nobody listens.

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio_input.h"
#include "services/hearing/pitch_follower.h"
#include "services/hearing/strike_follower.h"

struct pa_stream;

namespace lutavo {

class PulseConnection;

class PulseInput : public AudioInput {
  public:
    PulseInput();
    ~PulseInput() override;
    PulseInput(const PulseInput&) = delete;
    PulseInput& operator=(const PulseInput&) = delete;

    bool startListening() override;
    void stopListening() override;
    double heardPitch() const override { return hz_.load(std::memory_order_relaxed); }
    float heardLevel() const override { return level_.load(std::memory_order_relaxed); }
    // Its time on the steady clock, when the sound reached the input.
    bool takeStrike(HeardOnset& strike) override;
    std::vector<InputChoice> inputs() override;
    void chooseInput(const std::string& id) override;

    static constexpr int kRate = 44100;

  private:
    static void onRead(pa_stream* stream, std::size_t bytes, void* self);
    void placeOnClock();
    void hear(const float* samples, std::size_t count);
    void hearSilence(std::size_t count);

    std::string source_;  // the server's name of the input heard; "" for its default
    // Made afresh for each listening, before the server's thread can feed them.
    std::unique_ptr<PitchFollower> pitch_;
    std::unique_ptr<StrikeFollower> strikes_;
    std::atomic<double> hz_{0};
    std::atomic<float> level_{0};
    float peak_ = 0;
    long peakFrames_ = 0;
    // The steady clock's time (microseconds) at which the first frame heard reached the input;
    // strikes are given on that clock.
    long fedFrames_ = 0;
    std::int64_t placedAtUs_ = 0;
    std::atomic<std::int64_t> originUs_{0};
    // Last, so that it goes first: its thread stops before the ear it feeds.
    std::unique_ptr<PulseConnection> server_;
};

}  // namespace lutavo
