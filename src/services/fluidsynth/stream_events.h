// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window thread asks of the audio stream: a message for the synthesizer or a clip to
// start, stamped with the time it was asked for. The stream plays each one a fixed delay after
// its stamp, at the exact sample frame, whenever its audio thread gets to it.

#include <atomic>
#include <cstdint>

#include "services/fluidsynth/short_message.h"
#include "services/fluidsynth/spsc_ring.h"

namespace lutavo {

struct StereoClip;

struct StreamEvent {
    std::int64_t stampNs = 0;  // steady clock, or the offline renderer's own time
    std::uint32_t message = 0;
    const StereoClip* clip = nullptr;  // a clip start when set, else the message
    std::uint32_t generation = 0;      // of the queue's cancels, when posted
};

// Whether a message ends sound: a note-off (a note-on at velocity 0 is one), all notes or all
// sound off, a reset. Losing one would leave a note hanging.
constexpr bool endsSound(std::uint32_t message) {
    const ShortMessage m = decodeShortMessage(message);
    switch (m.kind()) {
        case kNoteOff:
            return true;
        case kNoteOn:
            return m.data2 == 0;
        case kControlChange:
            return m.data1 == kAllSoundOff || m.data1 == kAllNotesOff;
        case kSystemReset:
            return true;
        default:
            return false;
    }
}

// The window thread posts, the audio thread takes; neither ever waits for the other.
class StreamEventQueue {
  public:
    // Room kept for what ends sound: a full queue refuses new sounds first.
    static constexpr std::size_t kKeptForEndings = 256;

    // From the posting thread. False when refused: a sound that starts finds the queue nearly
    // full. What ends sound takes the room kept for it; should even that be gone, everything
    // falls silent once the audio thread has played what is queued (the events before it would
    // otherwise start notes nothing ends).
    bool post(StreamEvent event) {
        event.generation = generation_.load(std::memory_order_relaxed);
        const bool ending = event.clip == nullptr && endsSound(event.message);
        if ((ending || events_.room() > kKeptForEndings) && events_.push(event)) return true;
        ++refused_;
        if (ending) silenceAfter_.store(events_.pushed() + 1, std::memory_order_release);
        return false;
    }
    // From the posting thread: the note-ons and clips posted so far and not yet taken never
    // sound; every other message still plays, so no note is left hanging.
    void cancel() { generation_.fetch_add(1, std::memory_order_release); }
    // From the posting thread: how many posts were refused.
    long refused() const { return refused_; }

    // From the audio thread: the oldest event still to play, the cancelled ones passed over;
    // null when none. It stays until pop().
    const StreamEvent* next() {
        for (const StreamEvent* e = events_.front(); e != nullptr; e = events_.front()) {
            if (!cancelled(*e)) return e;
            events_.pop();
        }
        return nullptr;
    }
    void pop() { events_.pop(); }
    bool empty() const { return events_.front() == nullptr; }
    // From the audio thread: true once, when an ending found no room and every event posted
    // before it has been taken: everything must fall silent now.
    bool silenceDue() {
        std::uint64_t after = silenceAfter_.load(std::memory_order_acquire);
        return after != 0 && events_.popped() + 1 >= after &&
               silenceAfter_.compare_exchange_strong(after, 0, std::memory_order_acq_rel);
    }

  private:
    bool cancelled(const StreamEvent& event) const {
        if (event.generation == generation_.load(std::memory_order_acquire)) return false;
        const ShortMessage m = decodeShortMessage(event.message);
        return event.clip != nullptr || (m.kind() == kNoteOn && m.data2 > 0);
    }

    SpscRing<StreamEvent, 4096> events_;
    std::atomic<std::uint32_t> generation_{0};
    // One past the ring position after which everything falls silent; 0 when nothing is due.
    std::atomic<std::uint64_t> silenceAfter_{0};
    long refused_ = 0;
};

}  // namespace lutavo
