// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fixed ring between exactly two threads, one putting in and one taking out, neither of which
// ever waits for the other or allocates: what the audio thread needs to hear from the window
// thread, and what it tells back.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace lutavo {

template <typename T, std::size_t Capacity>
class SpscRing {
  public:
    static constexpr std::size_t kCapacity = Capacity;

    // The putting thread's view: how many more it may put.
    std::size_t room() const {
        return kCapacity -
               (tail_.load(std::memory_order_relaxed) - head_.load(std::memory_order_acquire));
    }
    // False when full: nothing is put.
    bool push(const T& item) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == kCapacity) return false;
        items_[tail % kCapacity] = item;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }
    // Counts every item ever put: a place in the sequence the taking side can wait for.
    std::uint64_t pushed() const { return tail_.load(std::memory_order_acquire); }

    // The taking thread's view: the oldest item, or null; it stays until pop().
    const T* front() const {
        const std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) return nullptr;
        return &items_[head % kCapacity];
    }
    void pop() {
        head_.store(head_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
    }
    // Counts every item ever taken.
    std::uint64_t popped() const { return head_.load(std::memory_order_acquire); }

  private:
    std::array<T, kCapacity> items_{};
    std::atomic<std::size_t> head_{0};
    std::atomic<std::size_t> tail_{0};
};

}  // namespace lutavo
