#include "services/fluidsynth/offline_synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace lutavo {

long frameAt(long timeMs) {
    if (timeMs <= 0) return 0;
    // Whole milliseconds give whole tenths of a frame: round up to the next frame.
    return (timeMs * kFileSampleRate + 999) / 1000;
}

std::int16_t toPcm16(float sample) {
    return static_cast<std::int16_t>(std::lrint(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

OfflineSynth::OfflineSynth(const std::string& soundFont)
    : engine_(soundFont, kFileSampleRate),
      mixer_(StreamClock::exact(kFileSampleRate), engine_.ready() ? engine_.synth() : nullptr) {}

void OfflineSynth::renderFrames(std::vector<std::int16_t>& out, long frames) {
    std::vector<float> left(static_cast<std::size_t>(frames));
    std::vector<float> right(static_cast<std::size_t>(frames));
    mixer_.render(left.data(), right.data(), static_cast<int>(frames));
    for (long i = 0; i < frames; ++i) {
        out.push_back(toPcm16(left[static_cast<std::size_t>(i)]));
        out.push_back(toPcm16(right[static_cast<std::size_t>(i)]));
    }
}

std::vector<std::int16_t> OfflineSynth::render(std::vector<TimedMessage> messages,
                                               std::vector<ClipCue> clips, long endMs) {
    std::vector<std::int16_t> out;
    if (!ready()) return out;
    // Messages before clips at the same time, each kind in its given order.
    std::vector<StreamEvent> events;
    for (const TimedMessage& m : messages)
        events.push_back({std::int64_t{m.timeMs} * 1'000'000, m.message, nullptr});
    for (const ClipCue& c : clips)
        if (c.clip != nullptr) events.push_back({std::int64_t{c.timeMs} * 1'000'000, 0, c.clip});
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.stampNs < b.stampNs; });
    const long endFrame = frameAt(endMs);
    out.reserve(static_cast<std::size_t>(endFrame) * 2);
    // The mixer's queue is bounded: events go in a block ahead of the rendering.
    constexpr long kBlock = 4096;
    auto next = events.begin();
    for (long frame = 0; frame < endFrame; frame += kBlock) {
        const std::int64_t blockEndNs =
            (frame + kBlock) * std::int64_t{1'000'000'000} / kFileSampleRate;
        while (next != events.end() && next->stampNs < blockEndNs && mixer_.post(*next))
            ++next;
        renderFrames(out, std::min(kBlock, endFrame - frame));
    }
    return out;
}

namespace {

void putLittleEndian(std::string& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

WriteResult OfflineSynth::writeWav(const std::string& path,
                                   const std::vector<std::int16_t>& samples) {
    constexpr std::uint32_t kChannels = 2;
    constexpr std::uint32_t kBytesPerSample = 2;
    const std::uint64_t dataBytes = samples.size() * kBytesPerSample;
    if (dataBytes > 0xFFFFFFFFull - 36) return {"too long for a WAV file"};
    std::string file = "RIFF";
    file.reserve(44 + dataBytes);
    putLittleEndian(file, static_cast<std::uint32_t>(36 + dataBytes), 4);
    file += "WAVEfmt ";
    putLittleEndian(file, 16, 4);  // size of the format block
    putLittleEndian(file, 1, 2);   // PCM
    putLittleEndian(file, kChannels, 2);
    putLittleEndian(file, kFileSampleRate, 4);
    putLittleEndian(file, kFileSampleRate * kChannels * kBytesPerSample, 4);
    putLittleEndian(file, kChannels * kBytesPerSample, 2);
    putLittleEndian(file, 8 * kBytesPerSample, 2);
    file += "data";
    putLittleEndian(file, static_cast<std::uint32_t>(dataBytes), 4);
    for (std::int16_t sample : samples)
        putLittleEndian(file, static_cast<std::uint16_t>(sample), 2);
    return writeFileSafely(path, file);
}

}  // namespace lutavo
