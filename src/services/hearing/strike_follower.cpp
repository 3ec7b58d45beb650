// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/strike_follower.h"

#include <algorithm>

namespace lutavo {

StrikeFollower::StrikeFollower(int rate) : rate_(rate), detector_(rate), ring_(kRing, 0.0f) {}

void StrikeFollower::feed(const float* samples, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        ring_[static_cast<std::size_t>(fed_ % kRing)] = samples[i];
        ++fed_;
        hop_[hopFilled_++] = samples[i];
        if (hopFilled_ < hop_.size()) continue;
        hopFilled_ = 0;
        const long onset = detector_.feed(hop_.data());
        // More strikes waiting than a hand can play in a tenth of a second: the newest is let go.
        if (onset >= 0 && pendingCount_ < kMostPending) pending_[pendingCount_++] = onset;
        hearReady();
    }
}

void StrikeFollower::copyOut(long start, float* to) const {
    for (long i = 0; i < kSpectrumWindow; ++i) {
        const long at = start + i;
        const bool kept = at >= 0 && at < fed_ && at >= fed_ - kRing;
        to[i] = kept ? ring_[static_cast<std::size_t>(at % kRing)] : 0.0f;
    }
}

void StrikeFollower::hearReady() {
    std::size_t kept = 0;
    for (std::size_t p = 0; p < pendingCount_; ++p) {
        const long frame = pending_[p];
        if (afterStart(frame, rate_) + kSpectrumWindow > fed_) {
            pending_[kept++] = frame;
            continue;
        }
        copyOut(beforeStart(frame, rate_), before_.frame());
        copyOut(afterStart(frame, rate_), after_.frame());
        const std::vector<float>& was = before_.analyse();
        if (const auto rise = strikeRise(was, after_.analyse(), rate_))
            strikes_.push({frame * 1000 / rate_, *rise});
    }
    pendingCount_ = kept;
}

bool StrikeFollower::take(HeardOnset& strike) {
    const HeardOnset* next = strikes_.front();
    if (next == nullptr) return false;
    strike = *next;
    strikes_.pop();
    return true;
}

}  // namespace lutavo
