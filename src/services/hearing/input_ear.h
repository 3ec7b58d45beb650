// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an input's samples tell, taken in on the input's own thread as they come: the pitch for
// the tuner, the strikes with their times on the steady clock, and how loud it is. Taking in
// allocates nothing and takes no lock; the readings may be taken from any thread, the strikes by
// one.

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/audio_input.h"
#include "platform/heard.h"
#include "services/hearing/pitch_follower.h"
#include "services/hearing/strike_follower.h"

namespace lutavo {

class InputEar {
  public:
    static constexpr int kRate = 44100;

    InputEar();
    void hear(const float* samples, std::size_t count);
    // Frames the input lost: silence, which keeps the times of the frames after.
    void hearSilence(std::size_t count);
    // Every frame heard so far has just arrived.
    void placeOnClock();

    double pitch() const { return hz_.load(std::memory_order_relaxed); }
    float level() const { return level_.load(std::memory_order_relaxed); }
    // Its time on the steady clock, when the sound reached the input.
    bool takeStrike(HeardOnset& strike);

  private:
    PitchFollower pitch_;
    StrikeFollower strikes_;
    std::atomic<double> hz_{0};
    std::atomic<float> level_{0};
    float peak_ = 0;
    long peakFrames_ = 0;
    // The steady clock's time (microseconds) at which the first frame reached the input.
    long fedFrames_ = 0;
    std::int64_t placedAtUs_ = 0;
    std::atomic<std::int64_t> originUs_;
};

// An input whose samples go to an ear made for each listening: its readings are the ear's, and
// nothing while it does not listen.
class EarInput : public AudioInput {
  public:
    double heardPitch() const override { return ear_ != nullptr ? ear_->pitch() : 0.0; }
    float heardLevel() const override { return ear_ != nullptr ? ear_->level() : 0.0f; }
    bool takeStrike(HeardOnset& strike) override {
        return ear_ != nullptr && ear_->takeStrike(strike);
    }

  protected:
    std::unique_ptr<InputEar> ear_;
};

}  // namespace lutavo
