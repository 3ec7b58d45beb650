// SPDX-License-Identifier: GPL-3.0-or-later
// The queue between the window thread and the audio thread: a full queue refuses new sounds
// before it refuses what ends one, a cancel drops only what would start a sound, and two threads
// hammering it lose nothing and see everything in order.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <random>
#include <thread>
#include <vector>

#include "platform/midi_out.h"
#include "services/fluidsynth/stream_events.h"

namespace lutavo {
namespace {

StreamEvent noteOn(int key) {
    return {0, packMidi(0x90, key, 100), nullptr};
}
StreamEvent noteOff(int key) {
    return {0, packMidi(0x80, key, 0), nullptr};
}

TEST(StreamEventQueue, ANearlyFullQueueKeepsItsLastRoomForWhatEndsSound) {
    StreamEventQueue q;
    const std::size_t forSounds = 4096 - StreamEventQueue::kKeptForEndings;
    for (std::size_t i = 0; i < forSounds; ++i)
        ASSERT_TRUE(q.post(noteOn(40))) << i;
    EXPECT_FALSE(q.post(noteOn(40))) << "the first sound past the room for sounds";
    EXPECT_FALSE(q.post({0, 0, reinterpret_cast<const StereoClip*>(&q)})) << "a clip starts one";
    EXPECT_EQ(q.refused(), 2);
    // Note-offs, a note-on at velocity 0, all notes off and a reset take the kept room.
    for (std::uint32_t ending : {packMidi(0x80, 40, 0), packMidi(0x90, 40, 0),
                                 packMidi(0xB0, 123, 0), std::uint32_t{0xFF}})
        EXPECT_TRUE(q.post({0, ending, nullptr})) << std::hex << ending;
    while (q.post(noteOff(40))) {
    }
    EXPECT_EQ(q.refused(), 3);
    EXPECT_FALSE(q.silenceDue()) << "not before the events ahead of the lost ending are played";
    for (std::size_t i = 0; i + 1 < 4096; ++i)
        q.pop();
    EXPECT_FALSE(q.silenceDue());
    q.pop();
    EXPECT_TRUE(q.empty());
    EXPECT_TRUE(q.silenceDue()) << "then everything falls silent";
    EXPECT_FALSE(q.silenceDue()) << "once";
}

TEST(StreamEventQueue, ACancelDropsTheSoundsPostedBeforeItAndNothingElse) {
    StreamEventQueue q;
    q.post(noteOn(40));
    q.post({0, 0, reinterpret_cast<const StereoClip*>(&q)});
    q.post(noteOff(40));
    q.post({0, packMidi(0xE0, 0, 64), nullptr});
    q.cancel();
    q.post(noteOn(45));
    std::vector<std::uint32_t> played;
    for (const StreamEvent* e = q.next(); e != nullptr; e = q.next()) {
        played.push_back(e->message);
        q.pop();
    }
    EXPECT_EQ(played, (std::vector<std::uint32_t>{packMidi(0x80, 40, 0), packMidi(0xE0, 0, 64),
                                                  packMidi(0x90, 45, 100)}));
}

// The window thread posts notes and cancels at random while the audio thread takes them as fast
// as it can, the window thread trying a refused note-on again until the queue has room: every
// event taken comes in the order posted, no note-off is refused or lost, and every note-on posted
// after the last cancel is played.
TEST(StreamEventQueue, TwoThreadsPostingCancellingAndTakingLoseNothing) {
    constexpr std::int64_t kEvents = 200'000;
    StreamEventQueue q;
    std::atomic<bool> done{false};
    long offsPosted = 0, offsRefused = 0, onsSinceCancel = 0;
    std::int64_t lastCancelAt = 0;
    std::thread window([&] {
        std::mt19937 rng(11);
        for (std::int64_t seq = 1; seq <= kEvents; ++seq) {
            const bool off = rng() % 3 == 0;
            StreamEvent e = off ? noteOff(40) : noteOn(41);
            e.stampNs = seq;  // the sequence rides in the stamp
            if (off) {
                ++offsPosted;
                offsRefused += q.post(e) ? 0 : 1;
            } else {
                ++onsSinceCancel;
                while (!q.post(e))
                    std::this_thread::yield();
            }
            if (rng() % 1000 == 0) {
                q.cancel();
                onsSinceCancel = 0;
                lastCancelAt = seq;
            }
        }
        done.store(true, std::memory_order_release);
    });
    std::int64_t lastSeen = 0;
    long outOfOrder = 0, offsTaken = 0;
    std::vector<std::int64_t> onsTaken;
    for (bool finished = false; !finished;) {
        finished = done.load(std::memory_order_acquire);
        for (const StreamEvent* e = q.next(); e != nullptr; e = q.next()) {
            outOfOrder += e->stampNs <= lastSeen ? 1 : 0;
            lastSeen = e->stampNs;
            if (decodeShortMessage(e->message).kind() == kNoteOff) {
                ++offsTaken;
            } else {
                onsTaken.push_back(e->stampNs);
            }
            q.pop();
        }
    }
    window.join();
    EXPECT_EQ(outOfOrder, 0);
    EXPECT_EQ(std::pair(offsTaken, offsRefused), std::pair(offsPosted, 0L));
    const auto sinceCancel = std::count_if(onsTaken.begin(), onsTaken.end(),
                                           [&](std::int64_t seq) { return seq > lastCancelAt; });
    EXPECT_EQ(sinceCancel, onsSinceCancel);
}

}  // namespace
}  // namespace lutavo
