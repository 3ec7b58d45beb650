// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rendering a recorded performance to a WAV file with the built-in synthesizer and the clips the
// wave player would have played beside it.

#include <string>
#include <vector>

#include "playback/midi_file.h"

namespace lutavo {

struct RenderResult {
    bool ok = false;
    std::string problem;  // why not, in words for the user
    long lengthMs = 0;    // of the written file
};

// Renders the performance's messages to its end plus tailMs (the last notes' release), mixes its
// clips in and writes 44.1 kHz stereo 16-bit PCM to path. A clip that cannot be read is left out
// and named in warnings.
RenderResult renderPerformanceWav(const std::string& soundFont, const SoundRecording& performance,
                                  long tailMs, const std::string& path,
                                  std::vector<std::string>& warnings);

}  // namespace lutavo
