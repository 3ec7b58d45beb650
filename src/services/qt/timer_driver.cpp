// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/qt/timer_driver.h"

#include <algorithm>
#include <chrono>

namespace lutavo {

long long monotonicMicros() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

TimerDriver::TimerDriver(TimerModel& model, std::function<void()> tick, TimerAccuracy accuracy,
                         SoundClock* soundClock)
    : model_(model), tick_(std::move(tick)), accuracy_(accuracy), soundClock_(soundClock) {
    if (accuracy_ == TimerAccuracy::Precise) {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setSingleShot(true);
    } else {
        timer_.setTimerType(Qt::CoarseTimer);
    }
    QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
}

bool TimerDriver::running() const {
    return accuracy_ == TimerAccuracy::Precise ? schedule_.running() : timer_.isActive();
}

int TimerDriver::runningInterval() const {
    return accuracy_ == TimerAccuracy::Precise ? (schedule_.interval() + 500) / 1000
                                               : timer_.interval();
}

void TimerDriver::sync() {
    const bool wanted = model_.enabled && model_.interval > 0;
    if (accuracy_ == TimerAccuracy::Precise) {
        syncPrecise(wanted);
    } else {
        syncCoarse(wanted);
    }
}

void TimerDriver::syncCoarse(bool wanted) {
    if (!wanted) {
        timer_.stop();
        return;
    }
    // Restarting an unchanged timer would push its next tick back: leave it alone.
    if (timer_.isActive() && timer_.interval() == model_.interval) return;
    timer_.start(model_.interval);
}

void TimerDriver::syncPrecise(bool wanted) {
    if (!wanted) {
        if (schedule_.running()) ++scheduleRuns_;
        schedule_.stop();
        timer_.stop();
        return;
    }
    // An unchanged schedule keeps its grid: restarting it would push the next tick back.
    if (schedule_.running() && schedule_.interval() == model_.micros()) return;
    ++scheduleRuns_;
    schedule_.start(monotonicMicros(), static_cast<int>(model_.micros()));
    // Inside a tick the firing code re-arms the timer once its ticks are done.
    if (!inTick_) armForNextTick();
}

void TimerDriver::fire() {
    // A handler that lets events through (printing does) must not be entered again by its own
    // timer: handlers run one at a time, to completion.
    if (inTick_) return;
    if (accuracy_ == TimerAccuracy::Precise) {
        firePrecise();
        return;
    }
    inTick_ = true;
    if (model_.enabled) tick_();
    inTick_ = false;
    sync();
}

void TimerDriver::firePrecise() {
    inTick_ = true;
    runDueTicks();
    inTick_ = false;
    sync();
    armForNextTick();
}

void TimerDriver::runDueTicks() {
    const unsigned long long run = scheduleRuns_;
    const long long due = schedule_.ticksDue(monotonicMicros());
    for (long long i = 0; i < std::min(due, kMaxCatchUp); ++i) {
        schedule_.take();
        if (model_.enabled) runTick(schedule_.takenDueTime());
        // The tick may have stopped the timer or changed its pace: follow the model from here.
        const bool followed =
            scheduleRuns_ == run && model_.enabled && model_.micros() == schedule_.interval();
        if (!followed) return;
    }
    if (due > kMaxCatchUp) {
        // Too far behind to catch up sensibly (the machine slept): carry on from now.
        ++scheduleRuns_;
        schedule_.start(monotonicMicros(), schedule_.interval());
    }
}

void TimerDriver::runTick(long long dueMicros) {
    if (soundClock_ == nullptr) {
        tick_();
        return;
    }
    soundClock_->enterTick(dueMicros);
    tick_();
    soundClock_->leaveTick();
}

void TimerDriver::armForNextTick() {
    if (!schedule_.running()) {
        timer_.stop();
        return;
    }
    // The single shot wakes on a whole millisecond, never before the tick is due.
    timer_.start(static_cast<int>((schedule_.delayToNext(monotonicMicros()) + 999) / 1000));
}

}  // namespace lutavo
