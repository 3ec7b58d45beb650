// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When the ticks of a steady timer fall due. Tick n is due at start + n * interval on a
// monotonic clock, so a late wake-up shortens the wait for the next tick instead of pushing
// every later tick back: the song keeps its tempo however late single ticks are delivered.
// Pure arithmetic in the clock's unit (the window's timer counts microseconds); the caller owns
// the clock and the actual timer.

namespace lutavo {

class TickSchedule {
  public:
    // Starts counting afresh: the first tick is due one interval after now.
    void start(long long now, int period);
    void stop();

    bool running() const { return running_; }
    int interval() const { return interval_; }

    // How many ticks are due by now and not yet taken.
    long long ticksDue(long long now) const;
    // Marks the next due tick as processed.
    void take();
    // When the tick taken last was due.
    long long takenDueTime() const { return dueTime(taken_); }
    // Milliseconds until the next tick not yet taken is due; 0 when one is due already.
    long long delayToNext(long long now) const;

  private:
    long long dueTime(long long tick) const { return start_ + tick * interval_; }

    bool running_ = false;
    int interval_ = 0;
    long long start_ = 0;
    long long taken_ = 0;
};

}  // namespace lutavo
