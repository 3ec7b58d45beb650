// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The audio stream through the desktop's sound server: float stereo at the mixer's rate (the
// server converts it to the sound card's), filled by the mixer on the server connection's own
// thread, and paused while the mixer has nothing to play so an idle program wakes nobody.

#include <pulse/def.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "services/fluidsynth/pulse_connection.h"
#include "services/fluidsynth/stream_trace.h"

struct pa_stream;

namespace lutavo {

class StreamMixer;

class PulseStream {
  public:
    // Connects to the sound server (never starting one); live() tells whether it worked. The
    // connection's thread, which fills the stream, is raised to run ahead of ordinary work.
    PulseStream(StreamMixer& mixer, int rate, int bufferFrames, int requestFrames);
    ~PulseStream();
    PulseStream(const PulseStream&) = delete;
    PulseStream& operator=(const PulseStream&) = delete;

    bool live() const { return stream_ != nullptr; }
    // Something was posted to the mixer: let the stream run again if it was paused.
    void wake();
    // How the stream's thread runs ("real time ...", "nice ...").
    const std::string& priority() const { return priority_; }
    // Times the server found the stream empty. Any thread.
    long underruns() const { return underruns_.load(std::memory_order_relaxed); }
    // What the server keeps queued now, in frames: more after the stream ran dry. Any thread.
    int bufferFrames() const { return bufferFrames_.load(std::memory_order_relaxed); }
    // Each block filled from now on is told to the trace (null: none). The trace must outlive
    // the stream or be replaced first.
    void trace(StreamTrace* trace) { trace_.store(trace, std::memory_order_release); }

  private:
    bool connect(int rate, int bufferFrames, int requestFrames);
    void raiseThread();
    void fill(std::size_t bytes);
    // Tells the mixer's clock what the server last said about when the stream is heard.
    void followServer(std::int64_t nowNs);
    void resume(std::int64_t nowNs);
    void pauseWhenIdle(int frames);
    void holdMore();
    void traceBlock(std::int64_t nowNs, std::int64_t frame, int frames);
    // When the server's running estimate says the next frame written is heard.
    std::int64_t estimatedHeardNs(std::int64_t nowNs) const;
    static void onWrite(pa_stream* stream, std::size_t bytes, void* self);
    static void onUnderflow(pa_stream* stream, void* self);

    StreamMixer& mixer_;
    long idleFramesBeforePause_ = 0;
    pa_stream* stream_ = nullptr;
    std::string priority_ = "ordinary priority";
    std::atomic<bool> paused_{false};
    std::atomic<long> underruns_{0};
    std::atomic<int> bufferFrames_{0};
    int firstBufferFrames_ = 0;
    int rate_ = 0;
    std::int64_t grownAtNs_ = std::numeric_limits<std::int64_t>::min() / 2;
    pa_buffer_attr buffer_{};
    std::atomic<StreamTrace*> trace_{nullptr};
    std::atomic<long> threadId_{0};
    long idleFrames_ = 0;
    // The stream was paused since the last block: the server's accounts from before the pause
    // no longer hold, and the clock starts afresh.
    bool resumed_ = true;
    std::int64_t resumedAtNs_ = 0;
    std::int64_t pausedAtNs_ = std::numeric_limits<std::int64_t>::max();
    std::int64_t lastReportNs_ = 0;  // of the server's latest account, as given
    std::int64_t reportFrame_ = -1;
    std::int64_t reportHeardNs_ = 0;
    bool reportNew_ = false;
    std::vector<float> left_, right_;
    // Last, so that it goes first: its thread stops before anything it fills is taken down.
    PulseConnection server_;
};

}  // namespace lutavo
