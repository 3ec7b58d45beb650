// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/offline_synth.h"

#include <fluidsynth.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
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

void interleavePcm16(const float* left, const float* right, std::size_t count, std::int16_t* out) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Four frames at a time, rounded as toPcm16 rounds (to the nearest, ties to even): the
    // render spends more on this than on anything but the synthesizer.
    const __m128 low = _mm_set1_ps(-1.0f), high = _mm_set1_ps(1.0f), full = _mm_set1_ps(32767.0f);
    const auto pcm = [&](const float* at) {
        const __m128 clamped = _mm_min_ps(_mm_max_ps(_mm_loadu_ps(at), low), high);
        const __m128i whole = _mm_cvtps_epi32(_mm_mul_ps(clamped, full));
        return _mm_packs_epi32(whole, whole);
    };
    for (; i + 4 <= count; i += 4) {
        const __m128i frames = _mm_unpacklo_epi16(pcm(left + i), pcm(right + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), frames);
    }
#endif
    for (; i < count; ++i) {
        out[2 * i] = toPcm16(left[i]);
        out[2 * i + 1] = toPcm16(right[i]);
    }
}

OfflineSynth::OfflineSynth(const std::string& soundFont)
    : engine_(soundFont, kFileSampleRate),
      mixer_(StreamClock::exact(kFileSampleRate), engine_.ready() ? engine_.synth() : nullptr) {}

void OfflineSynth::renderFrames(std::vector<std::int16_t>& out, long frames) {
    const auto count = static_cast<std::size_t>(frames);
    // The mixer adds into the block: it starts from silence.
    left_.assign(count, 0.0f);
    right_.assign(count, 0.0f);
    mixer_.render(left_.data(), right_.data(), static_cast<int>(frames));
    const std::size_t at = out.size();
    out.resize(at + 2 * count);
    interleavePcm16(left_.data(), right_.data(), count, out.data() + at);
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

void putLittleEndian(std::vector<char>& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

WriteResult OfflineSynth::writeWav(const std::string& path,
                                   const std::vector<std::int16_t>& samples) {
    constexpr std::uint32_t kChannels = 2;
    constexpr std::uint32_t kBytesPerSample = 2;
    constexpr std::size_t kHeaderBytes = 44;
    const std::uint64_t dataBytes = samples.size() * kBytesPerSample;
    if (dataBytes > 0xFFFFFFFFull - 36) return {"too long for a WAV file"};
    std::vector<char> bytes;
    bytes.reserve(kHeaderBytes);
    auto text = [&bytes](const char* four) { bytes.insert(bytes.end(), four, four + 4); };
    text("RIFF");
    putLittleEndian(bytes, static_cast<std::uint32_t>(36 + dataBytes), 4);
    text("WAVE");
    text("fmt ");
    putLittleEndian(bytes, 16, 4);  // size of the format block
    putLittleEndian(bytes, 1, 2);   // PCM
    putLittleEndian(bytes, kChannels, 2);
    putLittleEndian(bytes, kFileSampleRate, 4);
    putLittleEndian(bytes, kFileSampleRate * kChannels * kBytesPerSample, 4);
    putLittleEndian(bytes, kChannels * kBytesPerSample, 2);
    putLittleEndian(bytes, 8 * kBytesPerSample, 2);
    text("data");
    putLittleEndian(bytes, static_cast<std::uint32_t>(dataBytes), 4);
    const std::string_view header(bytes.data(), bytes.size());
    // The samples are the file's data as they lie in memory where that is little-endian; the
    // file is written at once, without a second copy of them.
    if constexpr (std::endian::native == std::endian::little) {
        return writeFileSafely(
            path, {header, {reinterpret_cast<const char*>(samples.data()), dataBytes}});
    }
    std::vector<char> data(dataBytes);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto u = static_cast<std::uint16_t>(samples[i]);
        data[2 * i] = static_cast<char>(u & 0xFF);
        data[2 * i + 1] = static_cast<char>(u >> 8);
    }
    return writeFileSafely(path, {header, {data.data(), data.size()}});
}

}  // namespace lutavo
