// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tuner's ear: the pitch of one string from a stream of samples, block by block. Everything
// it needs is made when it is made, so feeding it allocates nothing and may run on the audio
// input's own thread.

#include <cstddef>
#include <memory>

namespace lutavo {

class PitchFollower {
  public:
    explicit PitchFollower(int rate);
    ~PitchFollower();
    PitchFollower(const PitchFollower&) = delete;
    PitchFollower& operator=(const PitchFollower&) = delete;

    // Takes any number of samples; true when a new reading was made from them.
    bool feed(const float* samples, std::size_t count);
    // The latest reading in hertz; 0 while nothing steady is heard.
    double hz() const { return hz_; }
    // Samples taken until the first reading of the sound now heard.
    long samplesToFirstReading() const { return firstReadingAfter_; }

    static constexpr std::size_t kWindow = 2048;
    static constexpr std::size_t kHop = 256;

  private:
    void readBlock();

    struct Detector;
    std::unique_ptr<Detector> detector_;
    std::size_t filled_ = 0;
    double hz_ = 0;
    double previous_ = 0;  // the last block's pitch, steady or not
    long taken_ = 0;
    long firstReadingAfter_ = -1;
};

}  // namespace lutavo
