// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/tick_schedule.h"

#include <algorithm>

namespace lutavo {

void TickSchedule::start(long long now, int period) {
    running_ = period > 0;
    interval_ = std::max(period, 0);
    start_ = now;
    taken_ = 0;
}

void TickSchedule::stop() {
    running_ = false;
    taken_ = 0;
}

long long TickSchedule::ticksDue(long long now) const {
    if (!running_ || now < start_) return 0;
    return std::max((now - start_) / interval_ - taken_, 0LL);
}

void TickSchedule::take() {
    if (running_) ++taken_;
}

long long TickSchedule::delayToNext(long long now) const {
    if (!running_) return 0;
    return std::max(dueTime(taken_ + 1) - now, 0LL);
}

}  // namespace lutavo
