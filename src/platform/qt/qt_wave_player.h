#pragma once
// Wave clips through QSoundEffect: played without waiting, a new clip cutting off the last.

#include <QSoundEffect>
#include <memory>

#include "platform/wave_player.h"

namespace lutavo {

class QtWavePlayer : public WavePlayer {
  public:
    QtWavePlayer();
    ~QtWavePlayer() override;

    // False for a missing file or when the machine has no audio output.
    bool play(const std::string& path) override;

  private:
    std::unique_ptr<QSoundEffect> effect_;  // created with the first clip that can sound
};

}  // namespace lutavo
