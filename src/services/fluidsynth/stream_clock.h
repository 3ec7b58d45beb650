// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a stamped event falls in the stream. Offline the stamp is the stream's own time and maps
// exactly. Live the stamps are the steady clock's and every event is heard a fixed delay after
// its stamp: the output tells now and then when some frame of the stream is heard, and the clock
// draws one line through those accounts, so an event lands on its own frame wherever the blocks
// happen to begin.

#include <array>
#include <cstddef>
#include <cstdint>

namespace lutavo {

class StreamClock {
  public:
    static StreamClock exact(int rate) { return StreamClock(rate, false, 0); }
    static StreamClock live(int rate, std::int64_t delayNs) {
        return StreamClock(rate, true, delayNs);
    }

    // Frames a second.
    int rate() const { return rate_; }

    // The output's account: `frame` of the stream is heard at atNs on the steady clock.
    void heard(std::int64_t frame, std::int64_t atNs);
    // A rougher account, taken only until the first real one after a restart.
    void guess(std::int64_t frame, std::int64_t atNs);
    // The output was paused or its timing moved: the next account starts the line afresh. The
    // pace learned stays, being the sound card's.
    void restart();
    // Whether a real account has come since the last restart.
    bool settled() const { return settled_; }
    // The output holds more from now on: stamps are heard that much later than before.
    void delayMore(std::int64_t ns) { delayNs_ += ns; }

    std::int64_t frameOf(std::int64_t stampNs) const;
    // When the line says `frame` is heard, on the steady clock.
    double heardAtNs(std::int64_t frame) const;
    // The output's frames against their nominal length, as learned.
    double pace() const { return 1 + drift_ / 1e9; }

  private:
    StreamClock(int rate, bool live, std::int64_t delayNs)
        : rate_(rate), live_(live), delayNs_(delayNs) {}
    // Seconds of nominal frames from the line's origin.
    double secondsTo(std::int64_t frame) const {
        return static_cast<double>(frame - originFrame_) / rate_;
    }
    double offsetAt(double seconds) const { return offset_ + drift_ * seconds; }
    void startAt(std::int64_t frame, std::int64_t atNs);
    void take(double seconds, double offset);
    void fit();
    static constexpr int kStraysToMove = 3;
    static constexpr int kStraysToGiveUp = 8;
    struct StrayAccount {
        std::int64_t frame = 0, atNs = 0;
        double off = 0;  // ns later than the line
    };

    void stray(const StrayAccount& account);

    int rate_;
    bool live_;
    std::int64_t delayNs_;
    bool started_ = false;
    bool settled_ = false;
    // The line: frame f is heard at originNs_ + x s + offset_ + drift_ x, x = secondsTo(f).
    std::int64_t originFrame_ = 0;
    double originNs_ = 0;
    double offset_ = 0;
    double drift_ = 0;  // ns a second: the pace's difference from nominal
    // The accounts since the restart, older ones weighing less: weights, and their sums of
    // x, of offsets y (ns) and of the products.
    double weight_ = 0, sumX_ = 0, sumY_ = 0, sumXX_ = 0, sumXY_ = 0;
    double lastX_ = 0;
    long guesses_ = 0;
    // The accounts in a row far later than the line.
    std::array<StrayAccount, kStraysToMove> strayAccounts_{};
    int strays_ = 0;
    int straysInRow_ = 0;  // beyond the ones kept
};

}  // namespace lutavo
