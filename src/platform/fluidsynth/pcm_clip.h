#pragma once
// Wave clips mixed into an offline rendering: a reader for 16-bit PCM WAV files and a mixer
// that lays clips over the synthesizer's stereo output the way the wave player would play them.

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

struct ClipStart {
    long frame;  // where the clip starts in the stereo output
    const PcmClip* clip;
};

// Adds each clip into the interleaved stereo samples at sampleRate, clamping at full scale. A
// clip that starts cuts off the one still sounding, as the wave player does; a mono clip goes to
// both sides and a clip of another rate is stepped to the output's rate.
void mixClips(std::vector<std::int16_t>& stereo, int sampleRate, std::vector<ClipStart> starts);

}  // namespace lutavo
