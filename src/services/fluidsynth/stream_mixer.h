#pragma once
// The one audio stream of the program: the built-in synthesizer with the clip voice laid over it,
// clamped to full scale. The live output's audio thread and the offline renderer both fill their
// buffers here, so a rendered file holds what the user hears.

#include <fluidsynth/types.h>

#include <atomic>
#include <cstdint>

#include "services/fluidsynth/clip_voice.h"
#include "services/fluidsynth/stream_events.h"

namespace lutavo {

// Where a stamped event falls in the stream. Offline the stamp is the stream's own time and maps
// exactly. Live the stamps are the steady clock's and every event is heard a fixed delay after
// its stamp: the output tells when each block will be heard, and the clock carries that on from
// block to block, so an event lands on its own frame wherever the blocks happen to begin.
class StreamClock {
  public:
    static StreamClock exact(int rate) { return StreamClock(rate, false, 0); }
    static StreamClock live(int rate, std::int64_t delayNs) {
        return StreamClock(rate, true, delayNs);
    }

    // Frames a second.
    int rate() const { return rate_; }

    // The block starting at stream frame `first` will be heard from heardAtNs on.
    void blockStarts(std::int64_t heardAtNs, std::int64_t first);
    // The output was paused or ran dry: its next block starts the clock afresh.
    void restart();
    std::int64_t frameOf(std::int64_t stampNs) const;

  private:
    StreamClock(int rate, bool live, std::int64_t delayNs)
        : rate_(rate), live_(live), delayNs_(delayNs) {}
    double framesIn(double ns) const { return ns * rate_ / 1e9; }

    int rate_;
    bool live_;
    std::int64_t delayNs_;
    bool started_ = false;
    double heardAtNs_ = 0;  // of frame first_
    std::int64_t first_ = 0;
    double pace_ = 1;          // the output's frame length against its nominal one, as learned
    long blocksFollowed_ = 0;  // since the clock last started afresh
};

class StreamMixer {
  public:
    // synth may be null: the stream then carries the clips alone.
    explicit StreamMixer(StreamClock clock, fluid_synth_t* synth = nullptr)
        : clock_(clock), synth_(synth) {}

    // The synthesizer joins a stream that may be running already: the clips need not wait for
    // the sound font. Any thread.
    void setSynth(fluid_synth_t* synth) { synth_.store(synth, std::memory_order_release); }

    // From the one posting thread; never waits. False when the queue is full.
    bool post(StreamEvent event) {
        event.generation = generation_.load(std::memory_order_relaxed);
        return events_.post(event);
    }
    // From the audio thread: the output was paused or ran dry, so what its next block says
    // about when it is heard starts the clock afresh.
    void outputRestarts() { clock_.restart(); }
    // From the posting thread: the note-ons and clips posted so far that have not sounded yet
    // never will; every other message still plays, so no note is left hanging.
    void cancelPosted() { generation_.fetch_add(1, std::memory_order_release); }

    // Adds frames of the stream to left and right (zeroed by the caller), playing each posted
    // event at its frame, and clamps them to -1..1. While the synthesizer has been silent longer
    // than its reverberation lasts it is not rendered at all: an idle program costs next to
    // nothing. heardAtNs: when the first of these frames will be heard, on the steady clock
    // (unused offline).
    void render(float* left, float* right, int frames, std::int64_t heardAtNs = 0);

    // True when the last render skipped the silent synthesizer.
    bool synthResting() const { return resting_; }
    // True when nothing sounds or waits to: the output may pause.
    bool idle() const { return resting_ && !clips_.busy() && events_.empty(); }

  private:
    void apply(const StreamEvent& event, fluid_synth_t* synth);
    bool cancelled(const StreamEvent& event) const;
    void renderSpan(float* left, float* right, int frames, fluid_synth_t* synth);

    StreamClock clock_;
    std::atomic<fluid_synth_t*> synth_;
    StreamEventQueue events_;
    std::atomic<std::uint32_t> generation_{0};
    ClipVoice clips_;
    std::int64_t frame_ = 0;
    long quietFrames_ = 0;
    bool resting_ = false;
};

}  // namespace lutavo
