// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A connection to the desktop's sound server on a thread of its own, as the output stream and
// the input both hold one. Every call but the constructor and the destructor is made with the
// loop locked.

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace lutavo {

class PulseConnection {
  public:
    // Starts the loop's thread and connects (never starting a server); ready() tells whether
    // it worked. The loop is left locked: the caller makes its stream, then unlocks.
    PulseConnection();
    // Stops the thread first, so that no callback runs while the stream is taken down.
    ~PulseConnection();
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    bool ready() const { return ready_; }
    pa_threaded_mainloop* loop() const { return loop_; }
    pa_context* context() const { return context_; }
    void lock();
    void unlock();
    // Waits (the loop locked) until the stream is ready or has failed; true when ready.
    bool waitUntilReady(pa_stream* stream);
    // The stream's state changes wake whoever waits on the loop.
    void signalStateChanges(pa_stream* stream);
    // The stream is to be disconnected and released when the connection goes.
    void own(pa_stream* stream) { stream_ = stream; }

  private:
    bool connect();

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool ready_ = false;
};

}  // namespace lutavo
