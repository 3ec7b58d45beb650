// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/pulse_input.h"

#include <pulse/introspect.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include "services/fluidsynth/pulse_connection.h"

namespace lutavo {

namespace {

// The server hands over a block every 10 ms: the tuner's needle and a strike's time follow
// the player that closely.
constexpr std::uint32_t kBlockBytes = PulseInput::kRate / 100 * sizeof(float);

}  // namespace

PulseInput::PulseInput() = default;

PulseInput::~PulseInput() = default;

bool PulseInput::startListening() {
    if (server_) return true;
    ear_ = std::make_unique<InputEar>();
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
    ear_.reset();
}

void PulseInput::onRead(pa_stream* stream, std::size_t, void* self) {
    InputEar& ear = *static_cast<PulseInput*>(self)->ear_;
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0) {
        if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0) return;
        // A hole (data null) is what the server lost: silence, which keeps the frames' times.
        if (data != nullptr)
            ear.hear(static_cast<const float*>(data), bytes / sizeof(float));
        else
            ear.hearSilence(bytes / sizeof(float));
        pa_stream_drop(stream);
    }
    ear.placeOnClock();
}

}  // namespace lutavo
