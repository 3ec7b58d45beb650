// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/offline_synth.h"

#include <fluidsynth.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <future>
#include <string>

namespace lutavo {

namespace {

constexpr std::uint32_t kBytesPerSample = 2;
// The data's size is a 32-bit field, after the 36 bytes of the header that it counts too.
constexpr std::uint64_t kMostWavData = 0xFFFFFFFFull - 36;

void putLittleEndian(std::string& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string wavHeader(std::uint64_t dataBytes) {
    constexpr std::uint32_t kChannels = 2;
    constexpr std::size_t kHeaderBytes = 44;
    std::string bytes;
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
    return bytes;
}

// The samples are the file's data as they lie in memory where that is little-endian: no copy.
std::string_view pcmBytes(std::span<const std::int16_t> samples, std::vector<char>& scratch) {
    if constexpr (std::endian::native == std::endian::little)
        return {reinterpret_cast<const char*>(samples.data()), samples.size() * kBytesPerSample};
    scratch.resize(samples.size() * kBytesPerSample);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto u = static_cast<std::uint16_t>(samples[i]);
        scratch[2 * i] = static_cast<char>(u & 0xFF);
        scratch[2 * i + 1] = static_cast<char>(u >> 8);
    }
    return {scratch.data(), scratch.size()};
}

}  // namespace

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

void OfflineSynth::renderPieces(std::vector<TimedMessage> messages, std::vector<ClipCue> clips,
                                long endMs, const PieceSink& take) {
    // Messages before clips at the same time, each kind in its given order.
    std::vector<StreamEvent> events;
    for (const TimedMessage& m : messages)
        events.push_back({std::int64_t{m.timeMs} * 1'000'000, m.message, nullptr});
    for (const ClipCue& c : clips)
        if (c.clip != nullptr) events.push_back({std::int64_t{c.timeMs} * 1'000'000, 0, c.clip});
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.stampNs < b.stampNs; });
    const long endFrame = frameAt(endMs);
    // The mixer's queue is bounded: events go in a block ahead of the rendering.
    constexpr long kBlock = 4096;
    constexpr long kBlocksAPiece = 16;
    std::vector<std::int16_t> piece;
    piece.reserve(2 * kBlock * kBlocksAPiece);
    auto next = events.begin();
    for (long frame = 0; frame < endFrame; frame += kBlock) {
        const std::int64_t blockEndNs =
            (frame + kBlock) * std::int64_t{1'000'000'000} / kFileSampleRate;
        while (next != events.end() && next->stampNs < blockEndNs && mixer_.post(*next))
            ++next;
        renderFrames(piece, std::min(kBlock, endFrame - frame));
        if (piece.size() == piece.capacity() || frame + kBlock >= endFrame) {
            take(piece);
            piece.clear();
        }
    }
}

std::vector<std::int16_t> OfflineSynth::render(std::vector<TimedMessage> messages,
                                               std::vector<ClipCue> clips, long endMs) {
    std::vector<std::int16_t> out;
    if (!ready()) return out;
    out.reserve(static_cast<std::size_t>(frameAt(endMs)) * 2);
    renderPieces(std::move(messages), std::move(clips), endMs,
                 [&out](std::span<const std::int16_t> piece) {
                     out.insert(out.end(), piece.begin(), piece.end());
                 });
    return out;
}

WriteResult OfflineSynth::renderWav(const std::string& path, std::vector<TimedMessage> messages,
                                    std::vector<ClipCue> clips, long endMs) {
    if (!ready()) return {problem()};
    const std::uint64_t dataBytes =
        std::uint64_t{2} * kBytesPerSample * static_cast<std::uint64_t>(frameAt(endMs));
    if (dataBytes > kMostWavData) return {"too long for a WAV file"};
    SafeFileWriter file(path);
    file.append(wavHeader(dataBytes));
    // The file takes each piece on a thread of its own while the next is rendered; a piece's
    // buffer is filled again only after its write has ended.
    std::array<std::vector<std::int16_t>, 2> buffers;
    std::size_t turn = 0;
    std::future<void> writing;
    std::vector<char> scratch;
    renderPieces(std::move(messages), std::move(clips), endMs,
                 [&](std::span<const std::int16_t> piece) {
                     auto& buffer = buffers[turn++ % buffers.size()];
                     buffer.assign(piece.begin(), piece.end());
                     if (writing.valid()) writing.get();
                     writing = std::async(std::launch::async, [&file, &buffer, &scratch] {
                         file.append(pcmBytes(buffer, scratch));
                     });
                 });
    if (writing.valid()) writing.get();
    return file.commit();
}

WriteResult OfflineSynth::writeWav(const std::string& path,
                                   const std::vector<std::int16_t>& samples) {
    const std::uint64_t dataBytes = samples.size() * kBytesPerSample;
    if (dataBytes > kMostWavData) return {"too long for a WAV file"};
    std::vector<char> scratch;
    return writeFileSafely(path, {wavHeader(dataBytes), pcmBytes(samples, scratch)});
}

}  // namespace lutavo
