#pragma once
// Runs a QTimer from a window timer's model. The core only flips `enabled` and `interval`;
// the view calls sync() after every handler and the driver starts, stops or re-times the
// QTimer to match.

#include <QTimer>
#include <functional>

#include "app/controls.h"

namespace lutavo {

enum class TimerAccuracy { Coarse, Precise };

class TimerDriver {
  public:
    TimerDriver(TimerModel& model, std::function<void()> tick,
                TimerAccuracy accuracy = TimerAccuracy::Coarse);

    // Brings the QTimer in line with the model. An interval of 0 or less stops it, as a
    // window timer with no interval never fires.
    void sync();

    bool running() const { return timer_.isActive(); }
    int runningInterval() const { return timer_.interval(); }

  private:
    void fire();

    TimerModel& model_;
    std::function<void()> tick_;
    QTimer timer_;
    bool inTick_ = false;
};

}  // namespace lutavo
