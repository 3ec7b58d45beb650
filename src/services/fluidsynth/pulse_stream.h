#pragma once
// The audio stream through the desktop's sound server: float stereo at the mixer's rate (the
// server converts it to the sound card's), filled by the mixer on the server connection's own
// thread, and paused while the mixer has nothing to play so an idle program wakes nobody.

#include <pulse/def.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace lutavo {

class StreamMixer;

class PulseStream {
  public:
    // Connects to the sound server (never starting one); live() tells whether it worked.
    PulseStream(StreamMixer& mixer, int rate, int bufferFrames, int requestFrames);
    ~PulseStream();
    PulseStream(const PulseStream&) = delete;
    PulseStream& operator=(const PulseStream&) = delete;

    bool live() const { return stream_ != nullptr; }
    // Something was posted to the mixer: let the stream run again if it was paused.
    void wake();

  private:
    bool connect(int rate, int bufferFrames, int requestFrames);
    bool waitUntilReady();
    void fill(std::size_t bytes);
    void pauseWhenIdle(int frames);
    // From a frame written now to the ear.
    std::int64_t latencyNs() const;
    static void onWrite(pa_stream* stream, std::size_t bytes, void* self);
    static void onUnderflow(pa_stream* stream, void* self);
    static void onStateChange(void* loop);

    StreamMixer& mixer_;
    std::int64_t nominalLatencyNs_ = 0;
    long idleFramesBeforePause_ = 0;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    std::atomic<bool> paused_{false};
    long idleFrames_ = 0;
    bool restarts_ = false;  // the stream was paused or ran dry since the last block
    std::vector<float> left_, right_;
};

}  // namespace lutavo
