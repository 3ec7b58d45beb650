// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/stream_clock.h"

#include <algorithm>
#include <cmath>

namespace lutavo {

namespace {

// The line is the least-squares line through the accounts, each weighing less the older it is:
// half after some fourteen seconds. The sound card's frames go out at its steady pace, while a
// single account may be late by a fraction of a millisecond; many of them, over seconds, say
// where the card is and how fast it goes. (Following each account closely, or learning a pace
// from an account that is itself a guess, makes the line wander by milliseconds.)
constexpr double kMemorySeconds = 20;
// The pace moves only as far as the accounts' spread in time carries it: right after a restart
// a few accounts a moment apart say little about it, and the pace learned before holds.
constexpr double kPaceInertia = 4;  // as one account two seconds from the others
// A card's clock is a fraction of a millisecond a second from the system's.
constexpr double kDriftBound = 1e6;
// An account can only be late, never early: the server measures where the stream is and then
// reads the time, and on a busy machine it may wait milliseconds in between, for a third of its
// accounts or more. An account later than the line by more than a quarter of a millisecond (and
// what a pace still a little wrong may have added since the last one taken) is such a straggler
// and is left out; several in a row that agree mean the output's timing has moved later, and
// the line starts afresh from the earliest of them (as it does, lest it stay lost, after many in
// a row that never agree). An account that early means the line was
// drawn from a straggler, or the timing moved earlier: the line starts afresh from it at once.
// Either way the pace stays: it is learned only from the accounts on the line.
constexpr double kStrayNs = 250'000;
constexpr double kPaceSlackNsPerSecond = 200'000;
constexpr double kPaceSlackMostNs = 500'000;

}  // namespace

void StreamClock::restart() {
    started_ = false;
    settled_ = false;
}

void StreamClock::startAt(std::int64_t frame, std::int64_t atNs) {
    started_ = true;
    originFrame_ = frame;
    originNs_ = static_cast<double>(atNs);
    offset_ = 0;
    weight_ = sumX_ = sumY_ = sumXX_ = sumXY_ = lastX_ = 0;
    guesses_ = 0;
    strays_ = 0;
    straysInRow_ = 0;
}

void StreamClock::guess(std::int64_t frame, std::int64_t atNs) {
    if (!live_ || settled_) return;
    if (!started_) startAt(frame, atNs);
    const double x = secondsTo(frame);
    const double y = static_cast<double>(atNs) - originNs_ - x * 1e9 - drift_ * x;
    offset_ += (y - offset_) / static_cast<double>(++guesses_);
}

void StreamClock::heard(std::int64_t frame, std::int64_t atNs) {
    if (!live_) return;
    if (!settled_) {
        settled_ = true;
        startAt(frame, atNs);
        take(0, 0);
        return;
    }
    const double x = secondsTo(frame);
    const double y = static_cast<double>(atNs) - originNs_ - x * 1e9;
    const double off = y - offsetAt(x);
    const double gate =
        kStrayNs + std::clamp(kPaceSlackNsPerSecond * (x - lastX_), 0.0, kPaceSlackMostNs);
    if (off < -gate) {
        startAt(frame, atNs);
        take(0, 0);
        return;
    }
    if (off > gate) {
        stray({frame, atNs, off});
        return;
    }
    strays_ = 0;
    straysInRow_ = 0;
    take(x, y);
    fit();
}

void StreamClock::stray(const StrayAccount& account) {
    strayAccounts_[strays_++] = account;
    if (strays_ < kStraysToMove) return;
    const auto [earliest, latest] =
        std::minmax_element(strayAccounts_.begin(), strayAccounts_.end(),
                            [](const auto& a, const auto& b) { return a.off < b.off; });
    if (latest->off - earliest->off <= kStrayNs || ++straysInRow_ >= kStraysToGiveUp) {
        const StrayAccount from = *earliest;
        startAt(from.frame, from.atNs);
        take(0, 0);
        return;
    }
    // Stragglers each late by its own wait: the oldest goes, the others may yet agree.
    std::rotate(strayAccounts_.begin(), strayAccounts_.begin() + 1, strayAccounts_.end());
    --strays_;
}

void StreamClock::take(double x, double y) {
    const double keep = x > lastX_ ? std::exp((lastX_ - x) / kMemorySeconds) : 1.0;
    lastX_ = std::max(lastX_, x);
    weight_ = weight_ * keep + 1;
    sumX_ = sumX_ * keep + x;
    sumY_ = sumY_ * keep + y;
    sumXX_ = sumXX_ * keep + x * x;
    sumXY_ = sumXY_ * keep + x * y;
}

void StreamClock::fit() {
    const double meanX = sumX_ / weight_;
    const double meanY = sumY_ / weight_;
    const double spreadX = sumXX_ - sumX_ * meanX;
    const double together = sumXY_ - sumX_ * meanY;
    drift_ = std::clamp((together + kPaceInertia * drift_) / (spreadX + kPaceInertia), -kDriftBound,
                        kDriftBound);
    offset_ = meanY - drift_ * meanX;
}

std::int64_t StreamClock::frameOf(std::int64_t stampNs) const {
    if (!live_) {
        // The first frame at or after the stamp.
        return (stampNs * rate_ + 999'999'999) / 1'000'000'000;
    }
    if (!started_) return 0;  // nothing known yet: at once
    // Multiplied before dividing: a stamp on a whole frame stays on it.
    const double sinceNs = static_cast<double>(stampNs + delayNs_) - originNs_ - offset_;
    return originFrame_ + static_cast<std::int64_t>(std::ceil(sinceNs * rate_ / (1e9 + drift_)));
}

double StreamClock::heardAtNs(std::int64_t frame) const {
    const double x = secondsTo(frame);
    return originNs_ + x * 1e9 + offsetAt(x);
}

}  // namespace lutavo
