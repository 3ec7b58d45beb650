#include "platform/qt/timer_driver.h"

namespace lutavo {

TimerDriver::TimerDriver(TimerModel& model, std::function<void()> tick, TimerAccuracy accuracy)
    : model_(model), tick_(std::move(tick)) {
    timer_.setTimerType(accuracy == TimerAccuracy::Precise ? Qt::PreciseTimer : Qt::CoarseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
}

void TimerDriver::sync() {
    const bool wanted = model_.enabled && model_.interval > 0;
    if (!wanted) {
        timer_.stop();
        return;
    }
    // Restarting an unchanged timer would push its next tick back: leave it alone.
    if (timer_.isActive() && timer_.interval() == model_.interval) return;
    timer_.start(model_.interval);
}

void TimerDriver::fire() {
    // A handler that lets events through (printing does) must not be entered again by its own
    // timer: handlers run one at a time, to completion.
    if (inTick_) return;
    inTick_ = true;
    if (model_.enabled) tick_();
    inTick_ = false;
    sync();
}

}  // namespace lutavo

