// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a QTimer from a window timer's model. The core only flips `enabled` and `interval`;
// the view calls sync() after every handler and the driver starts, stops or re-times the
// QTimer to match.
//
// A repeating QTimer drops a timeout it could not deliver in time, so every late tick would
// slow the song down. The precise driver therefore keeps its own schedule on a monotonic
// clock: tick n is due at start + n * interval, a single-shot timer wakes it at the next due
// time, and ticks missed by a late wake-up are run at once.

#include <QTimer>
#include <functional>

#include "base/controls.h"
#include "base/tick_schedule.h"
#include "platform/sound_clock.h"

namespace lutavo {

enum class TimerAccuracy { Coarse, Precise };

class TimerDriver {
  public:
    // More ticks than this overdue at once (the machine was suspended, say) are not caught up:
    // the schedule starts afresh rather than firing a burst of notes.
    static constexpr long long kMaxCatchUp = 50;

    // A precise driver marks each tick it runs on soundClock (when given) with the tick's due
    // time, so the sounds of a late tick keep their place.
    TimerDriver(TimerModel& model, std::function<void()> tick,
                TimerAccuracy accuracy = TimerAccuracy::Coarse, SoundClock* soundClock = nullptr);

    // Brings the QTimer in line with the model. An interval of 0 or less stops it, as a
    // window timer with no interval never fires.
    void sync();

    bool running() const;
    int runningInterval() const;

  private:
    void fire();
    void syncCoarse(bool wanted);
    void syncPrecise(bool wanted);
    void firePrecise();
    // Runs the ticks due now, stopping early when a tick stops or re-times the timer.
    void runDueTicks();
    void runTick(long long dueMicros);
    void armForNextTick();

    TimerModel& model_;
    std::function<void()> tick_;
    QTimer timer_;
    TimerAccuracy accuracy_;
    TickSchedule schedule_;
    // Counts every start and stop of the schedule, so a tick that restarts it is noticed.
    unsigned long long scheduleRuns_ = 0;
    bool inTick_ = false;
    SoundClock* soundClock_;
};

// Microseconds on the monotonic clock the precise timer keeps time by: a tempo may take a tick
// interval finer than a millisecond.
long long monotonicMicros();

}  // namespace lutavo
