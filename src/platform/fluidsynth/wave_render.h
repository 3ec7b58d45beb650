#pragma once
// Rendering a recorded performance to a WAV file with the built-in synthesizer and the clips the
// wave player would have played beside it.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lutavo {

// Time in milliseconds with a short message, and with a clip's path.
using MessageAt = std::pair<long, std::uint32_t>;
using ClipAt = std::pair<long, std::string>;

struct RenderResult {
    bool ok = false;
    std::string problem;  // why not, in words for the user
    long lengthMs = 0;    // of the written file
};

// Renders the messages to endMs plus tailMs (the last notes' release), mixes the clips in and
// writes 44.1 kHz stereo 16-bit PCM to path. A clip that cannot be read is left out and named
// in warnings.
RenderResult renderPerformanceWav(const std::string& soundFont,
                                  const std::vector<MessageAt>& messages,
                                  const std::vector<ClipAt>& clips, long endMs, long tailMs,
                                  const std::string& path, std::vector<std::string>& warnings);

}  // namespace lutavo
