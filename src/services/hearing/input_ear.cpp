// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/input_ear.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "platform/sound_clock.h"

namespace lutavo {

namespace {

constexpr long kLevelFrames = InputEar::kRate / 10;
// A block reaches the program a moment after its last frame was heard, never before: the earliest
// time the blocks give for the first frame is kept, let slip a millisecond a second so that an
// input whose clock runs slow is followed. (The sound server's own account of its latency is no
// help: for the monitor of a sink it is off by as much as the sink renders ahead.)
constexpr std::int64_t kSlipPerSecondUs = 1000;

}  // namespace

InputEar::InputEar()
    : pitch_(kRate), strikes_(kRate), originUs_(std::numeric_limits<std::int64_t>::max()) {}

void InputEar::hear(const float* samples, std::size_t count) {
    fedFrames_ += static_cast<long>(count);
    if (pitch_.feed(samples, count)) hz_.store(pitch_.hz(), std::memory_order_relaxed);
    strikes_.feed(samples, count);
    for (std::size_t i = 0; i < count; ++i)
        peak_ = std::max(peak_, std::fabs(samples[i]));
    peakFrames_ += static_cast<long>(count);
    if (peakFrames_ < kLevelFrames) return;
    level_.store(std::min(peak_, 1.0f), std::memory_order_relaxed);
    peak_ = 0;
    peakFrames_ = 0;
}

void InputEar::hearSilence(std::size_t count) {
    static constexpr std::array<float, 256> kSilence{};
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(kSilence.size(), count - done);
        hear(kSilence.data(), n);
        done += n;
    }
}

void InputEar::placeOnClock() {
    const std::int64_t nowUs = steadyNowNs() / 1000;
    const std::int64_t origin = nowUs - std::int64_t{fedFrames_} * 1'000'000 / kRate;
    std::int64_t kept = originUs_.load(std::memory_order_relaxed);
    if (placedAtUs_ != 0) kept += (nowUs - placedAtUs_) * kSlipPerSecondUs / 1'000'000;
    placedAtUs_ = nowUs;
    originUs_.store(std::min(kept, origin), std::memory_order_relaxed);
}

bool InputEar::takeStrike(HeardOnset& strike) {
    if (!strikes_.take(strike)) return false;
    strike.ms += static_cast<long>(originUs_.load(std::memory_order_relaxed) / 1000);
    return true;
}

}  // namespace lutavo
