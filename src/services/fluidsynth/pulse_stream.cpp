#include "services/fluidsynth/pulse_stream.h"

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>

#include "platform/sound_clock.h"
#include "services/fluidsynth/stream_mixer.h"

namespace lutavo {

namespace {

constexpr std::size_t kFrameBytes = 2 * sizeof(float);

}  // namespace

PulseStream::PulseStream(StreamMixer& mixer, int rate, int bufferFrames, int requestFrames)
    : mixer_(mixer),
      nominalLatencyNs_(std::int64_t{bufferFrames} * 1'000'000'000 / rate),
      idleFramesBeforePause_(rate / 2) {  // half a second of silence after the last sound
    loop_ = pa_threaded_mainloop_new();
    if (loop_ == nullptr) return;
    pa_threaded_mainloop_lock(loop_);
    const bool ok =
        pa_threaded_mainloop_start(loop_) >= 0 && connect(rate, bufferFrames, requestFrames);
    if (!ok && stream_ != nullptr) {
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    pa_threaded_mainloop_unlock(loop_);
}

PulseStream::~PulseStream() {
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

void PulseStream::onStateChange(void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}

bool PulseStream::connect(int rate, int bufferFrames, int requestFrames) {
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Lutavo");
    if (context_ == nullptr) return false;
    pa_context_set_state_callback(
        context_, [](pa_context*, void* loop) { onStateChange(loop); }, loop_);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
    for (;;) {
        const pa_context_state_t state = pa_context_get_state(context_);
        if (state == PA_CONTEXT_READY) break;
        if (!PA_CONTEXT_IS_GOOD(state)) return false;
        pa_threaded_mainloop_wait(loop_);
    }
    const pa_sample_spec format = {PA_SAMPLE_FLOAT32NE, static_cast<std::uint32_t>(rate), 2};
    stream_ = pa_stream_new(context_, "Lutavo", &format, nullptr);
    if (stream_ == nullptr) return false;
    pa_stream_set_state_callback(
        stream_, [](pa_stream*, void* loop) { onStateChange(loop); }, loop_);
    pa_stream_set_write_callback(stream_, onWrite, this);
    pa_stream_set_underflow_callback(stream_, onUnderflow, this);
    pa_buffer_attr buffer;
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = static_cast<std::uint32_t>(bufferFrames * kFrameBytes);
    buffer.prebuf = static_cast<std::uint32_t>(-1);
    buffer.minreq = static_cast<std::uint32_t>(requestFrames * kFrameBytes);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    // The server's own account of when a written frame is heard, kept up to date.
    const auto flags = static_cast<pa_stream_flags_t>(
        PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
    if (pa_stream_connect_playback(stream_, nullptr, &buffer, flags, nullptr, nullptr) < 0)
        return false;
    return waitUntilReady();
}

bool PulseStream::waitUntilReady() {
    for (;;) {
        const pa_stream_state_t state = pa_stream_get_state(stream_);
        if (state == PA_STREAM_READY) return true;
        if (!PA_STREAM_IS_GOOD(state)) return false;
        pa_threaded_mainloop_wait(loop_);
    }
}

void PulseStream::onWrite(pa_stream*, std::size_t bytes, void* self) {
    static_cast<PulseStream*>(self)->fill(bytes);
}

void PulseStream::onUnderflow(pa_stream*, void* self) {
    static_cast<PulseStream*>(self)->restarts_ = true;
}

void PulseStream::fill(std::size_t bytes) {
    void* data = nullptr;
    std::size_t size = bytes;
    if (pa_stream_begin_write(stream_, &data, &size) < 0 || data == nullptr) return;
    const int frames = static_cast<int>(size / kFrameBytes);
    if (static_cast<int>(left_.size()) < frames) {
        left_.resize(static_cast<std::size_t>(frames));
        right_.resize(static_cast<std::size_t>(frames));
    }
    std::fill_n(left_.begin(), frames, 0.0f);
    std::fill_n(right_.begin(), frames, 0.0f);
    if (restarts_) mixer_.outputRestarts();
    restarts_ = false;
    mixer_.render(left_.data(), right_.data(), frames, steadyNowNs() + latencyNs());
    auto* out = static_cast<float*>(data);
    for (int i = 0; i < frames; ++i) {
        out[2 * i] = left_[static_cast<std::size_t>(i)];
        out[2 * i + 1] = right_[static_cast<std::size_t>(i)];
    }
    pa_stream_write(stream_, data, static_cast<std::size_t>(frames) * kFrameBytes, nullptr, 0,
                    PA_SEEK_RELATIVE);
    pauseWhenIdle(frames);
}

std::int64_t PulseStream::latencyNs() const {
    pa_usec_t latency = 0;
    int negative = 0;
    if (pa_stream_get_latency(stream_, &latency, &negative) < 0) return nominalLatencyNs_;
    return negative != 0 ? 0 : static_cast<std::int64_t>(latency) * 1000;
}

void PulseStream::pauseWhenIdle(int frames) {
    idleFrames_ = mixer_.idle() ? idleFrames_ + frames : 0;
    if (idleFrames_ < idleFramesBeforePause_) return;
    idleFrames_ = 0;
    // Paired with wake(): an event posted meanwhile either is seen here or sees the pause.
    paused_.store(true);
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (!mixer_.idle()) {
        paused_.store(false);
        return;
    }
    pa_operation* op = pa_stream_cork(stream_, 1, nullptr, nullptr);
    if (op != nullptr) pa_operation_unref(op);
    restarts_ = true;
}

void PulseStream::wake() {
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (!live() || !paused_.exchange(false)) return;
    // The connection's thread holds this lock only while it fills a block: a moment.
    pa_threaded_mainloop_lock(loop_);
    pa_operation* op = pa_stream_cork(stream_, 0, nullptr, nullptr);
    if (op != nullptr) pa_operation_unref(op);
    pa_threaded_mainloop_unlock(loop_);
}

}  // namespace lutavo
