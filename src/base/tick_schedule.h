#pragma once
// When the ticks of a steady timer fall due. Tick n is due at start + n * interval on a
// monotonic clock, so a late wake-up shortens the wait for the next tick instead of pushing
// every later tick back: the song keeps its tempo however late single ticks are delivered.
// Pure arithmetic on milliseconds; the caller owns the clock and the actual timer.

namespace lutavo {

class TickSchedule {
  public:
    // Starts counting afresh: the first tick is due one interval after nowMs.
    void start(long long nowMs, int intervalMs);
    void stop();

    bool running() const { return running_; }
    int interval() const { return interval_; }

    // How many ticks are due by nowMs and not yet taken.
    long long ticksDue(long long nowMs) const;
    // Marks the next due tick as processed.
    void take();
    // When the tick taken last was due.
    long long takenDueTime() const { return dueTime(taken_); }
    // Milliseconds until the next tick not yet taken is due; 0 when one is due already.
    long long delayToNext(long long nowMs) const;

  private:
    long long dueTime(long long tick) const { return startMs_ + tick * interval_; }

    bool running_ = false;
    int interval_ = 0;
    long long startMs_ = 0;
    long long taken_ = 0;
};

}  // namespace lutavo
