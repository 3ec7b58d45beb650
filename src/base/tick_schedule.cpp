#include "base/tick_schedule.h"

#include <algorithm>

namespace lutavo {

void TickSchedule::start(long long nowMs, int intervalMs) {
    running_ = intervalMs > 0;
    interval_ = std::max(intervalMs, 0);
    startMs_ = nowMs;
    taken_ = 0;
}

void TickSchedule::stop() {
    running_ = false;
    taken_ = 0;
}

long long TickSchedule::ticksDue(long long nowMs) const {
    if (!running_ || nowMs < startMs_) return 0;
    return std::max((nowMs - startMs_) / interval_ - taken_, 0LL);
}

void TickSchedule::take() {
    if (running_) ++taken_;
}

long long TickSchedule::delayToNext(long long nowMs) const {
    if (!running_) return 0;
    return std::max(dueTime(taken_ + 1) - nowMs, 0LL);
}

}  // namespace lutavo
