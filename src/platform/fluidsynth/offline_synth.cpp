#include "platform/fluidsynth/offline_synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <fstream>

namespace lutavo {

long frameAt(long timeMs) {
    if (timeMs <= 0) return 0;
    // Whole milliseconds give whole tenths of a frame: round up to the next frame.
    return (timeMs * kSynthSampleRate + 999) / 1000;
}

OfflineSynth::OfflineSynth(const std::string& soundFont) : engine_(soundFont) {}

void OfflineSynth::renderFrames(std::vector<std::int16_t>& out, long frames) {
    if (frames <= 0) return;
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(frames) * 2);
    std::int16_t* buffer = out.data() + start;
    fluid_synth_write_s16(engine_.synth(), static_cast<int>(frames), buffer, 0, 2, buffer, 1, 2);
}

std::vector<std::int16_t> OfflineSynth::render(std::vector<TimedMessage> messages, long endMs) {
    std::vector<std::int16_t> out;
    if (!ready()) return out;
    std::stable_sort(
        messages.begin(), messages.end(),
        [](const TimedMessage& a, const TimedMessage& b) { return a.timeMs < b.timeMs; });
    const long endFrame = frameAt(endMs);
    out.reserve(static_cast<std::size_t>(endFrame) * 2);
    long frame = 0;
    for (const TimedMessage& m : messages) {
        const long due = std::min(frameAt(m.timeMs), endFrame);
        renderFrames(out, due - frame);
        frame = std::max(frame, due);
        if (frame >= endFrame) break;
        engine_.send(m.message);
    }
    renderFrames(out, endFrame - frame);
    return out;
}

namespace {

void putLittleEndian(std::ofstream& file, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        file.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool OfflineSynth::writeWav(const std::string& path, const std::vector<std::int16_t>& samples) {
    constexpr std::uint32_t kChannels = 2;
    constexpr std::uint32_t kBytesPerSample = 2;
    const std::uint64_t dataBytes = samples.size() * kBytesPerSample;
    if (dataBytes > 0xFFFFFFFFull - 36) return false;  // beyond what a WAV header can say
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write("RIFF", 4);
    putLittleEndian(file, static_cast<std::uint32_t>(36 + dataBytes), 4);
    file.write("WAVEfmt ", 8);
    putLittleEndian(file, 16, 4);  // size of the format block
    putLittleEndian(file, 1, 2);   // PCM
    putLittleEndian(file, kChannels, 2);
    putLittleEndian(file, kSynthSampleRate, 4);
    putLittleEndian(file, kSynthSampleRate * kChannels * kBytesPerSample, 4);
    putLittleEndian(file, kChannels * kBytesPerSample, 2);
    putLittleEndian(file, 8 * kBytesPerSample, 2);
    file.write("data", 4);
    putLittleEndian(file, static_cast<std::uint32_t>(dataBytes), 4);
    for (std::int16_t sample : samples)
        putLittleEndian(file, static_cast<std::uint16_t>(sample), 2);
    file.flush();
    return static_cast<bool>(file);
}

}  // namespace lutavo
