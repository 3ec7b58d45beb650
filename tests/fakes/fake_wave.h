// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "platform/wave_player.h"

namespace lutavo::test {

class FakeWavePlayer : public WavePlayer {
  public:
    bool play(const std::string& path) override {
        played.push_back(path);
        return true;
    }
    std::vector<std::string> played;
};

}  // namespace lutavo::test
