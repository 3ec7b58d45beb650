// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/pulse_connection.h"

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

namespace lutavo {

namespace {

void wakeWaiter(void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}

}  // namespace

PulseConnection::PulseConnection() {
    loop_ = pa_threaded_mainloop_new();
    if (loop_ == nullptr) return;
    pa_threaded_mainloop_lock(loop_);
    ready_ = pa_threaded_mainloop_start(loop_) >= 0 && connect();
}

PulseConnection::~PulseConnection() {
    if (loop_ == nullptr) return;
    pa_threaded_mainloop_stop(loop_);
    if (stream_ != nullptr) {
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }
    if (context_ != nullptr) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    pa_threaded_mainloop_free(loop_);
}

void PulseConnection::lock() {
    pa_threaded_mainloop_lock(loop_);
}

void PulseConnection::unlock() {
    pa_threaded_mainloop_unlock(loop_);
}

bool PulseConnection::connect() {
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Lutavo");
    if (context_ == nullptr) return false;
    pa_context_set_state_callback(
        context_, [](pa_context*, void* loop) { wakeWaiter(loop); }, loop_);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
    for (;;) {
        const pa_context_state_t state = pa_context_get_state(context_);
        if (state == PA_CONTEXT_READY) return true;
        if (!PA_CONTEXT_IS_GOOD(state)) return false;
        pa_threaded_mainloop_wait(loop_);
    }
}

void PulseConnection::signalStateChanges(pa_stream* stream) {
    pa_stream_set_state_callback(
        stream, [](pa_stream*, void* loop) { wakeWaiter(loop); }, loop_);
}

bool PulseConnection::waitUntilReady(pa_stream* stream) {
    for (;;) {
        const pa_stream_state_t state = pa_stream_get_state(stream);
        if (state == PA_STREAM_READY) return true;
        if (!PA_STREAM_IS_GOOD(state)) return false;
        pa_threaded_mainloop_wait(loop_);
    }
}

}  // namespace lutavo
