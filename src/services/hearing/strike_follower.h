// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Strikes heard as the input plays: the onset detector runs on every block, and once the spectrum
// after an onset has come in, the strike and its pitch classes go to the window thread. Feeding
// allocates nothing and takes no lock, so it runs on the input's own thread.

#include <array>
#include <cstddef>
#include <vector>

#include "platform/heard.h"
#include "services/fluidsynth/spsc_ring.h"
#include "services/hearing/strike_analysis.h"

namespace lutavo {

class StrikeFollower {
  public:
    explicit StrikeFollower(int rate);

    // The input's samples, any number at a time.
    void feed(const float* samples, std::size_t count);
    // The window thread: the oldest strike not yet taken; false when there is none. Its time
    // counts from the first sample fed.
    bool take(HeardOnset& strike);

  private:
    void hearReady();
    void copyOut(long start, float* to) const;

    // Enough for the spectra either side of a strike and the detector's delay in finding it.
    static constexpr long kRing = 16384;
    static constexpr std::size_t kMostPending = 16;

    int rate_;
    OnsetDetector detector_;
    SpectrumWindow before_, after_;
    std::vector<float> ring_;
    long fed_ = 0;
    std::array<float, kOnsetHop> hop_{};
    std::size_t hopFilled_ = 0;
    std::array<long, kMostPending> pending_{};
    std::size_t pendingCount_ = 0;
    SpscRing<HeardOnset, 64> strikes_;
};

}  // namespace lutavo
