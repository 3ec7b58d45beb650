// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/pulse_input.h"

#include <pulse/introspect.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "platform/sound_clock.h"

#include "services/fluidsynth/pulse_connection.h"

namespace lutavo {

namespace {

// The server hands over a block every 10 ms: the tuner's needle and a strike's time follow
// the player that closely.
constexpr std::uint32_t kBlockBytes = PulseInput::kRate / 100 * sizeof(float);
constexpr long kLevelFrames = PulseInput::kRate / 10;
// A block reaches the program a moment after its last frame was heard, never before: the earliest
// time the blocks give for the first frame is kept, let slip a millisecond a second so that an
// input whose clock runs slow is followed. (The server's own account of its latency is no help:
// for the monitor of a sink it is off by as much as the sink renders ahead.)
constexpr std::int64_t kSlipPerSecondUs = 1000;

}  // namespace

PulseInput::PulseInput() = default;

PulseInput::~PulseInput() = default;

bool PulseInput::startListening() {
    if (server_) return true;
    pitch_ = std::make_unique<PitchFollower>(kRate);
    strikes_ = std::make_unique<StrikeFollower>(kRate);
    fedFrames_ = 0;
    placedAtUs_ = 0;
    originUs_.store(std::numeric_limits<std::int64_t>::max(), std::memory_order_relaxed);
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
        const char* source = source_.empty() ? nullptr : source_.c_str();
        ok = pa_stream_connect_record(stream, source, &buffer, PA_STREAM_ADJUST_LATENCY) >= 0 &&
             server->waitUntilReady(stream);
    }
    server->unlock();
    if (ok) server_ = std::move(server);
    return ok;
}

std::vector<InputChoice> PulseInput::inputs() {
    struct Listing {
        PulseConnection* server;
        std::vector<InputChoice> found{{"", kDefaultInputName}};
        bool done = false;
    };
    PulseConnection server;
    Listing listing{&server};
    if (server.ready()) {
        const auto onSource = [](pa_context*, const pa_source_info* info, int eol, void* data) {
            auto* l = static_cast<Listing*>(data);
            if (eol != 0 || info == nullptr) {
                l->done = true;
                pa_threaded_mainloop_signal(l->server->loop(), 0);
                return;
            }
            l->found.push_back(
                {info->name, info->description != nullptr ? info->description : info->name});
        };
        if (pa_operation* op =
                pa_context_get_source_info_list(server.context(), onSource, &listing)) {
            while (!listing.done)
                pa_threaded_mainloop_wait(server.loop());
            pa_operation_unref(op);
        }
    }
    if (server.loop() != nullptr) server.unlock();
    return listing.found;
}

void PulseInput::chooseInput(const std::string& id) {
    if (id == source_) return;
    source_ = id;
    if (server_ == nullptr) return;
    stopListening();
    startListening();
}

void PulseInput::stopListening() {
    server_.reset();
    hz_.store(0, std::memory_order_relaxed);
    level_.store(0, std::memory_order_relaxed);
    peak_ = 0;
    peakFrames_ = 0;
}

void PulseInput::onRead(pa_stream* stream, std::size_t, void* self) {
    auto* input = static_cast<PulseInput*>(self);
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0) {
        if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0) return;
        // A hole (data null) is what the server lost: silence, which keeps the frames' times.
        if (data != nullptr)
            input->hear(static_cast<const float*>(data), bytes / sizeof(float));
        else
            input->hearSilence(bytes / sizeof(float));
        pa_stream_drop(stream);
    }
    input->placeOnClock();
}

void PulseInput::placeOnClock() {
    const std::int64_t nowUs = steadyNowNs() / 1000;
    const std::int64_t origin = nowUs - std::int64_t{fedFrames_} * 1'000'000 / kRate;
    std::int64_t kept = originUs_.load(std::memory_order_relaxed);
    if (placedAtUs_ != 0) kept += (nowUs - placedAtUs_) * kSlipPerSecondUs / 1'000'000;
    placedAtUs_ = nowUs;
    originUs_.store(std::min(kept, origin), std::memory_order_relaxed);
}

void PulseInput::hearSilence(std::size_t count) {
    static constexpr std::array<float, 256> kSilence{};
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(kSilence.size(), count - done);
        hear(kSilence.data(), n);
        done += n;
    }
}

void PulseInput::hear(const float* samples, std::size_t count) {
    fedFrames_ += static_cast<long>(count);
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
    if (strikes_ == nullptr || !strikes_->take(strike)) return false;
    strike.ms += static_cast<long>(originUs_.load(std::memory_order_relaxed) / 1000);
    return true;
}

}  // namespace lutavo
