// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/pulse_input.h"

#include <pulse/stream.h>

#include <algorithm>
#include <cmath>

#include "services/fluidsynth/pulse_connection.h"

namespace lutavo {

namespace {

// The server hands over a block every 10 ms: the tuner's needle and a strike's time follow
// the player that closely.
constexpr std::uint32_t kBlockBytes = PulseInput::kRate / 100 * sizeof(float);
constexpr long kLevelFrames = PulseInput::kRate / 10;

}  // namespace

PulseInput::PulseInput() = default;

PulseInput::~PulseInput() = default;

bool PulseInput::startListening() {
    if (server_) return true;
    pitch_ = std::make_unique<PitchFollower>(kRate);
    strikes_ = std::make_unique<StrikeFollower>(kRate);
    auto server = std::make_unique<PulseConnection>();
    if (server->loop() == nullptr) return false;
    pa_stream* stream = nullptr;
    if (server->ready()) {
        const pa_sample_spec format = {PA_SAMPLE_FLOAT32NE, kRate, 1};
        stream = pa_stream_new(server->context(), "Lutavo listening", &format, nullptr);
    }
    bool ok = stream != nullptr;
    if (ok) {
        server->own(stream);
        server->signalStateChanges(stream);
        pa_stream_set_read_callback(stream, onRead, this);
        pa_buffer_attr buffer{};
        buffer.maxlength = static_cast<std::uint32_t>(-1);
        buffer.fragsize = kBlockBytes;
        ok = pa_stream_connect_record(stream, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY) >= 0 &&
             server->waitUntilReady(stream);
    }
    server->unlock();
    if (ok) server_ = std::move(server);
    return ok;
}

void PulseInput::stopListening() {
    server_.reset();
    hz_.store(0, std::memory_order_relaxed);
    level_.store(0, std::memory_order_relaxed);
    peak_ = 0;
    peakFrames_ = 0;
}

void PulseInput::onRead(pa_stream* stream, std::size_t, void* self) {
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0) {
        if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0) return;
        // A hole (data null) is what the server lost: nothing to hear in it.
        if (data != nullptr)
            static_cast<PulseInput*>(self)->hear(static_cast<const float*>(data),
                                                 bytes / sizeof(float));
        pa_stream_drop(stream);
    }
}

void PulseInput::hear(const float* samples, std::size_t count) {
    if (pitch_->feed(samples, count)) hz_.store(pitch_->hz(), std::memory_order_relaxed);
    strikes_->feed(samples, count);
    for (std::size_t i = 0; i < count; ++i)
        peak_ = std::max(peak_, std::fabs(samples[i]));
    peakFrames_ += static_cast<long>(count);
    if (peakFrames_ < kLevelFrames) return;
    level_.store(std::min(peak_, 1.0f), std::memory_order_relaxed);
    peak_ = 0;
    peakFrames_ = 0;
}

bool PulseInput::takeStrike(HeardOnset& strike) {
    return strikes_ != nullptr && strikes_->take(strike);
}

}  // namespace lutavo
