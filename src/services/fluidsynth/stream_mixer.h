// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one audio stream of the program: the built-in synthesizer with the clip voice laid over it,
// clamped to full scale. The live output's audio thread and the offline renderer both fill their
// buffers here, so a rendered file holds what the user hears.

#include <fluidsynth/types.h>

#include <atomic>
#include <cstdint>

#include "services/fluidsynth/clip_voice.h"
#include "services/fluidsynth/stream_clock.h"
#include "services/fluidsynth/stream_events.h"

namespace lutavo {

class StreamMixer {
  public:
    // synth may be null: the stream then carries the clips alone.
    explicit StreamMixer(StreamClock clock, fluid_synth_t* synth = nullptr)
        : clock_(clock), synth_(synth) {}

    // The synthesizer joins a stream that may be running already: the clips need not wait for
    // the sound font. Any thread.
    void setSynth(fluid_synth_t* synth) { synth_.store(synth, std::memory_order_release); }

    // From the one posting thread; never waits. False when refused (the queue is full: the
    // audio thread has stopped taking).
    bool post(const StreamEvent& event) { return events_.post(event); }
    // From the posting thread: the note-ons and clips posted so far that have not sounded yet
    // never will; every other message still plays, so no note is left hanging.
    void cancelPosted() { events_.cancel(); }
    // From the posting thread: how many posts the queue refused.
    long refusedPosts() const { return events_.refused(); }

    // From the audio thread: the output tells the clock when its frames are heard.
    StreamClock& clock() { return clock_; }
    // The next frame to be rendered. Any thread.
    std::int64_t frame() const { return frame_.load(std::memory_order_relaxed); }

    // Adds frames of the stream to left and right (zeroed by the caller), playing each posted
    // event at its frame, and clamps them to -1..1. While the synthesizer has been silent longer
    // than its reverberation lasts it is not rendered at all: an idle program costs next to
    // nothing.
    void render(float* left, float* right, int frames);

    // True when the last render skipped the silent synthesizer.
    bool synthResting() const { return resting_; }
    // True when nothing sounds or waits to: the output may pause.
    bool idle() const { return resting_ && !clips_.busy() && events_.empty(); }

  private:
    void apply(const StreamEvent& event, fluid_synth_t* synth);
    // Plays the events due before `frames` from the block's start; returns where the first still
    // to come falls, or frames.
    int playDue(int done, int frames, fluid_synth_t* synth);
    void renderSpan(float* left, float* right, int frames, fluid_synth_t* synth);

    StreamClock clock_;
    std::atomic<fluid_synth_t*> synth_;
    StreamEventQueue events_;
    ClipVoice clips_;
    std::atomic<std::int64_t> frame_{0};
    long quietFrames_ = 0;
    bool resting_ = false;
};

}  // namespace lutavo
