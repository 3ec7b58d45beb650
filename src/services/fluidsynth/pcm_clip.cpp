// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/pcm_clip.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace lutavo {

namespace {

// The stream steps every clip to its own rate: a clip far below it would grow by the ratio (a
// file of a few bytes at 1 Hz takes hundreds of megabytes), so clips keep to real rates.
constexpr int kLowestRate = 4000;
constexpr int kHighestRate = 192000;

std::uint32_t littleEndian(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | b[at + static_cast<std::size_t>(i)];
    return v;
}

PcmClip failed(std::string& problem, const std::string& why) {
    problem = why;
    return {};
}

}  // namespace

PcmClip readPcmWav(const std::string& path, std::string& problem) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return failed(problem, "cannot read " + path);
    std::ifstream in(path, std::ios::binary);
    if (!in) return failed(problem, "cannot read " + path);
    const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
        return failed(problem, path + " is not a WAV file");
    }
    PcmClip clip;
    int bits = 0;
    bool pcm = false;
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::string id(b.begin() + static_cast<long>(at),
                             b.begin() + static_cast<long>(at) + 4);
        const std::size_t size = littleEndian(b, at + 4, 4);
        const std::size_t body = at + 8;
        const std::size_t available = std::min(size, b.size() - body);
        if (id == "fmt " && available >= 16) {
            pcm = littleEndian(b, body, 2) == 1;
            clip.channels = static_cast<int>(littleEndian(b, body + 2, 2));
            clip.sampleRate = static_cast<int>(littleEndian(b, body + 4, 4));
            bits = static_cast<int>(littleEndian(b, body + 14, 2));
        } else if (id == "data") {
            if (!pcm || bits != 16 || clip.channels < 1 || clip.channels > 2) {
                return failed(problem, path + " is not 16-bit PCM of one or two channels");
            }
            if (clip.sampleRate < kLowestRate || clip.sampleRate > kHighestRate) {
                return failed(problem,
                              path + " has a sample rate of " + std::to_string(clip.sampleRate) +
                                  " Hz; Lutavo plays clips of " + std::to_string(kLowestRate) +
                                  " to " + std::to_string(kHighestRate) + " Hz");
            }
            // A file cut short keeps the whole frames it has.
            const std::size_t frames = available / 2 / static_cast<std::size_t>(clip.channels);
            clip.samples.resize(frames * static_cast<std::size_t>(clip.channels));
            for (std::size_t i = 0; i < clip.samples.size(); ++i)
                clip.samples[i] = static_cast<std::int16_t>(littleEndian(b, body + 2 * i, 2));
            return clip;
        }
        at = body + size + (size & 1);  // chunks are padded to even sizes
    }
    return failed(problem, path + " has no sound data");
}

}  // namespace lutavo
