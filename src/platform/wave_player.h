// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace lutavo {

// Plays a wave clip without waiting; a new clip cuts off the one playing.
class WavePlayer {
  public:
    virtual ~WavePlayer() = default;
    // Returns false when the clip cannot be played (missing file, no output).
    virtual bool play(const std::string& path) = 0;
};

}  // namespace lutavo
