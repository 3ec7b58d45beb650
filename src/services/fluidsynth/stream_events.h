#pragma once
// What the window thread asks of the audio stream: a message for the synthesizer or a clip to
// start, stamped with the time it was asked for. The stream plays each one a fixed delay after
// its stamp, at the exact sample frame, whenever its audio thread gets to it.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace lutavo {

struct StereoClip;

struct StreamEvent {
    std::int64_t stampNs = 0;  // steady clock, or the offline renderer's own time
    std::uint32_t message = 0;
    const StereoClip* clip = nullptr;  // a clip start when set, else the message
    std::uint32_t generation = 0;      // of the mixer's cancels, when posted
};

// A single-producer, single-consumer queue: the window thread posts, the audio thread takes.
// Neither ever waits for the other.
class StreamEventQueue {
  public:
    // False when full (the audio thread has stopped taking): the event is dropped.
    bool post(const StreamEvent& event) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == kCapacity) return false;
        events_[tail % kCapacity] = event;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }
    // The oldest event, or null; it stays until pop().
    const StreamEvent* peek() const {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) return nullptr;
        return &events_[head % kCapacity];
    }
    void pop() {
        head_.store(head_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
    }
    bool empty() const { return peek() == nullptr; }

  private:
    static constexpr std::size_t kCapacity = 4096;
    std::array<StreamEvent, kCapacity> events_{};
    std::atomic<std::size_t> head_{0};
    std::atomic<std::size_t> tail_{0};
};

}  // namespace lutavo
