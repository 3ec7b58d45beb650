// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's sound clips as read from 16-bit PCM WAV files.

#include <cstdint>
#include <string>
#include <vector>

namespace lutavo {

struct PcmClip {
    int channels = 0;
    int sampleRate = 0;
    std::vector<std::int16_t> samples;  // interleaved, channels per frame
    long frames() const { return channels > 0 ? static_cast<long>(samples.size()) / channels : 0; }
};

// Reads a 16-bit PCM WAV file of one or two channels. On failure the clip is empty (no
// channels) and problem says why.
PcmClip readPcmWav(const std::string& path, std::string& problem);

}  // namespace lutavo
