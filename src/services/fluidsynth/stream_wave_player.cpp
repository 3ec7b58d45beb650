// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/stream_wave_player.h"

#include "services/fluidsynth/audio_output.h"

namespace lutavo {

bool StreamWavePlayer::play(const std::string& path) {
    // The clips stay with the stream, which plays them on its own thread: the player may go
    // first without taking a sounding clip with it.
    const StereoClip* found = output_.clip(path);
    if (found == nullptr) return false;
    if (output_.settled() && !output_.streamLive()) return false;
    output_.playClip(found);
    return true;
}

}  // namespace lutavo
