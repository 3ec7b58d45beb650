// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When the sounds asked for inside a playback tick are due: the tick's ideal time on the steady
// clock, however late the window thread got to it, so the notes and clicks of a song keep their
// spacing to the sample. Window thread only: the playback timer marks its ticks, the audio output
// stamps their sounds.

#include <chrono>
#include <cstdint>
#include <optional>

namespace lutavo {

inline std::int64_t steadyNowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class SoundClock {
  public:
    void enterTick(long long dueMicros) { tickDueMicros_ = dueMicros; }
    void leaveTick() { tickDueMicros_.reset(); }
    bool inTick() const { return tickDueMicros_.has_value(); }

    std::int64_t nowNs() const { return tickDueMicros_ ? *tickDueMicros_ * 1'000 : steadyNowNs(); }

  private:
    std::optional<long long> tickDueMicros_;
};

// Milliseconds on the steady clock: the tick's time inside a tick of the clock given.
inline long steadyMs(const SoundClock* clock) {
    return static_cast<long>((clock != nullptr ? clock->nowNs() : steadyNowNs()) / 1'000'000);
}

}  // namespace lutavo
