// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/pulse_stream.h"

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/sound_clock.h"
#include "services/fluidsynth/pulse_connection.h"
#include "services/fluidsynth/stream_mixer.h"
#include "services/fluidsynth/thread_priority.h"

namespace lutavo {

namespace {

constexpr std::size_t kFrameBytes = 2 * sizeof(float);
// A stream that ran dry keeps its first buffer's length more queued each time, up to three
// times that length: a machine that once kept the stream's thread from its core that long may do
// it again. The sounds of playback ticks are heard that much later from then on, so that they
// still land on their own frames. The server tells of one stall more than once as the stream
// refills: a second after growing the stream grows no more for it.
constexpr int kMostBufferLengths = 3;
constexpr std::int64_t kOneStallNs = 1'000'000'000;

// The server's accounts are stamped by the wall clock: the same instant on the steady clock.
std::int64_t wallToSteadyNs(const timeval& wall, std::int64_t steadyNowNs) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t wallNowNs = std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
    const std::int64_t wallNs =
        std::int64_t{wall.tv_sec} * 1'000'000'000 + std::int64_t{wall.tv_usec} * 1000;
    return steadyNowNs - (wallNowNs - wallNs);
}

}  // namespace

PulseStream::PulseStream(StreamMixer& mixer, int rate, int bufferFrames, int requestFrames)
    : mixer_(mixer),
      idleFramesBeforePause_(rate / 2),  // half a second of silence after the last sound
      bufferFrames_(bufferFrames),
      firstBufferFrames_(bufferFrames),
      rate_(rate) {
    if (server_.loop() == nullptr) return;
    if (!server_.ready() || !connect(rate, bufferFrames, requestFrames)) stream_ = nullptr;
    server_.unlock();
    if (live()) raiseThread();
}

void PulseStream::raiseThread() {
    // The connection's own thread says who it is; the raising is done from here, since asking
    // the desktop's service means waiting on a socket. The request is made under the lock:
    // without it the connection's thread may run and drop it before it is complete.
    server_.lock();
    pa_threaded_mainloop_once_unlocked(
        server_.loop(),
        [](pa_threaded_mainloop*, void* id) {
            static_cast<std::atomic<long>*>(id)->store(currentThreadId());
        },
        &threadId_);
    server_.unlock();
    for (int waited = 0; threadId_.load() == 0 && waited < 1000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (threadId_.load() != 0) priority_ = raiseAudioThread(threadId_.load());
}

PulseStream::~PulseStream() = default;

bool PulseStream::connect(int rate, int bufferFrames, int requestFrames) {
    const pa_sample_spec format = {PA_SAMPLE_FLOAT32NE, static_cast<std::uint32_t>(rate), 2};
    stream_ = pa_stream_new(server_.context(), "Lutavo", &format, nullptr);
    if (stream_ == nullptr) return false;
    server_.own(stream_);
    server_.signalStateChanges(stream_);
    pa_stream_set_write_callback(stream_, onWrite, this);
    pa_stream_set_underflow_callback(stream_, onUnderflow, this);
    buffer_.maxlength = static_cast<std::uint32_t>(-1);
    buffer_.tlength = static_cast<std::uint32_t>(bufferFrames * kFrameBytes);
    // Never held back to refill after running dry: the server plays silence for what came too
    // late and goes on, so every frame after it is still heard when the clock says.
    buffer_.prebuf = 0;
    buffer_.minreq = static_cast<std::uint32_t>(requestFrames * kFrameBytes);
    buffer_.fragsize = static_cast<std::uint32_t>(-1);
    // The server's own account of when a written frame is heard, kept up to date.
    const auto flags = static_cast<pa_stream_flags_t>(
        PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
    if (pa_stream_connect_playback(stream_, nullptr, &buffer_, flags, nullptr, nullptr) < 0)
        return false;
    return server_.waitUntilReady(stream_);
}

void PulseStream::onWrite(pa_stream*, std::size_t bytes, void* self) {
    static_cast<PulseStream*>(self)->fill(bytes);
}

void PulseStream::onUnderflow(pa_stream*, void* self) {
    auto* stream = static_cast<PulseStream*>(self);
    stream->underruns_.fetch_add(1, std::memory_order_relaxed);
    stream->holdMore();
}

void PulseStream::holdMore() {
    const int frames = bufferFrames_.load(std::memory_order_relaxed);
    const std::int64_t nowNs = steadyNowNs();
    if (frames >= kMostBufferLengths * firstBufferFrames_ || nowNs - grownAtNs_ < kOneStallNs)
        return;
    grownAtNs_ = nowNs;
    bufferFrames_.store(frames + firstBufferFrames_, std::memory_order_relaxed);
    buffer_.tlength = static_cast<std::uint32_t>((frames + firstBufferFrames_) * kFrameBytes);
    pa_operation* op = pa_stream_set_buffer_attr(stream_, &buffer_, nullptr, nullptr);
    if (op != nullptr) pa_operation_unref(op);
    mixer_.clock().delayMore(std::int64_t{firstBufferFrames_} * 1'000'000'000 / rate_);
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
    const std::int64_t nowNs = steadyNowNs();
    if (resumed_) resume(nowNs);
    followServer(nowNs);
    const std::int64_t first = mixer_.frame();
    mixer_.render(left_.data(), right_.data(), frames);
    auto* out = static_cast<float*>(data);
    for (int i = 0; i < frames; ++i) {
        out[2 * i] = left_[static_cast<std::size_t>(i)];
        out[2 * i + 1] = right_[static_cast<std::size_t>(i)];
    }
    pa_stream_write(stream_, data, static_cast<std::size_t>(frames) * kFrameBytes, nullptr, 0,
                    PA_SEEK_RELATIVE);
    traceBlock(nowNs, first, frames);
    pauseWhenIdle(frames);
}

void PulseStream::resume(std::int64_t nowNs) {
    resumed_ = false;
    resumedAtNs_ = nowNs;
    mixer_.clock().restart();
}

void PulseStream::followServer(std::int64_t nowNs) {
    reportNew_ = false;
    const pa_timing_info* info = pa_stream_get_timing_info(stream_);
    if (info == nullptr || info->read_index_corrupt) {
        if (!mixer_.clock().settled())
            mixer_.clock().guess(mixer_.frame(), estimatedHeardNs(nowNs));
        return;
    }
    // The server's account: the frame it had just taken from the stream, and how long that
    // frame takes from there to the ear.
    const std::int64_t takenNs = wallToSteadyNs(info->timestamp, nowNs);
    const std::int64_t frame = info->read_index / static_cast<std::int64_t>(kFrameBytes);
    const auto sinkNs = static_cast<std::int64_t>(info->sink_usec) * 1000;
    const std::int64_t stampNs = std::int64_t{info->timestamp.tv_sec} * 1'000'000'000 +
                                 std::int64_t{info->timestamp.tv_usec} * 1000;
    if (stampNs != lastReportNs_ && takenNs >= resumedAtNs_) {
        lastReportNs_ = stampNs;
        reportNew_ = true;
        reportFrame_ = frame;
        reportHeardNs_ = takenNs + sinkNs;
        mixer_.clock().heard(reportFrame_, reportHeardNs_);
    }
    if (mixer_.clock().settled()) return;
    // Until the server's first account after a pause: one it gave while paused says which frame
    // it plays first now, in the same terms as its accounts; else its running estimate.
    if (takenNs > pausedAtNs_ && takenNs < resumedAtNs_) {
        mixer_.clock().guess(frame, nowNs + sinkNs);
    } else {
        mixer_.clock().guess(mixer_.frame(), estimatedHeardNs(nowNs));
    }
}

std::int64_t PulseStream::estimatedHeardNs(std::int64_t nowNs) const {
    pa_usec_t latency = 0;
    int negative = 0;
    if (pa_stream_get_latency(stream_, &latency, &negative) < 0) return nowNs;
    const auto latencyNs = static_cast<std::int64_t>(latency) * 1000;
    return negative != 0 ? nowNs - latencyNs : nowNs + latencyNs;
}

void PulseStream::traceBlock(std::int64_t nowNs, std::int64_t frame, int frames) {
    StreamTrace* trace = trace_.load(std::memory_order_acquire);
    if (trace == nullptr) return;
    StreamTraceEntry entry;
    entry.filledAtNs = nowNs;
    entry.frame = frame;
    entry.frames = frames;
    entry.reportFrame = reportFrame_;
    entry.reportHeardNs = reportHeardNs_;
    entry.reportNew = reportNew_;
    entry.estimateNs = estimatedHeardNs(nowNs);
    entry.lineNs = mixer_.clock().heardAtNs(frame);
    entry.pace = mixer_.clock().pace();
    entry.underruns = underruns();
    trace->push(entry);
}

void PulseStream::pauseWhenIdle(int frames) {
    idleFrames_ = mixer_.idle() ? idleFrames_ + frames : 0;
    if (idleFrames_ < idleFramesBeforePause_) return;
    idleFrames_ = 0;
    // Paired with wake(): both exchange the flag, so whichever comes second sees the other. An
    // event posted before wake() exchanged it is then seen here, or wake() sees the pause.
    paused_.exchange(true, std::memory_order_acq_rel);
    if (!mixer_.idle()) {
        paused_.store(false);
        return;
    }
    pa_operation* op = pa_stream_cork(stream_, 1, nullptr, nullptr);
    if (op != nullptr) pa_operation_unref(op);
    resumed_ = true;
    pausedAtNs_ = steadyNowNs();
}

void PulseStream::wake() {
    if (!live() || !paused_.exchange(false, std::memory_order_acq_rel)) return;
    // The connection's thread holds this lock only while it fills a block: a moment.
    server_.lock();
    pa_operation* op = pa_stream_cork(stream_, 0, nullptr, nullptr);
    if (op != nullptr) pa_operation_unref(op);
    server_.unlock();
}

}  // namespace lutavo
