// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Arrays indexed from a fixed lower bound, as the song model and the window's tables are
// documented (for example note durations -4..1002). Every index is checked: a wrong index is a
// program fault, never a silent write into a neighbouring field.

#include <array>
#include <cstdio>
#include <cstdlib>

namespace lutavo {

[[noreturn]] inline void indexFault(long index, long lo, long hi) {
    std::fprintf(stderr, "lutavo: index %ld outside %ld..%ld\n", index, lo, hi);
    std::abort();
}

template <typename T, long Lo, long Hi>
class FixedArray {
    static_assert(Hi >= Lo, "empty range");

  public:
    static constexpr long lower = Lo;
    static constexpr long upper = Hi;

    constexpr FixedArray() : data_{} {}

    T& operator[](long i) { return data_[slot(i)]; }
    const T& operator[](long i) const { return data_[slot(i)]; }

    static constexpr bool contains(long i) { return i >= Lo && i <= Hi; }
    void fill(const T& v) { data_.fill(v); }

  private:
    static constexpr std::size_t slot(long i) {
        if (!contains(i)) indexFault(i, Lo, Hi);
        return static_cast<std::size_t>(i - Lo);
    }
    std::array<T, static_cast<std::size_t>(Hi - Lo + 1)> data_;
};

// Two-dimensional form, addressed as a(i, j): used for the per-note, per-string fret codes.
template <typename T, long Lo1, long Hi1, long Lo2, long Hi2>
class FixedArray2 {
  public:
    constexpr FixedArray2() : data_{} {}

    T& operator()(long i, long j) { return data_[slot(i, j)]; }
    const T& operator()(long i, long j) const { return data_[slot(i, j)]; }
    void fill(const T& v) { data_.fill(v); }

  private:
    static constexpr long width = Hi2 - Lo2 + 1;
    static constexpr std::size_t slot(long i, long j) {
        if (i < Lo1 || i > Hi1) indexFault(i, Lo1, Hi1);
        if (j < Lo2 || j > Hi2) indexFault(j, Lo2, Hi2);
        return static_cast<std::size_t>((i - Lo1) * width + (j - Lo2));
    }
    std::array<T, static_cast<std::size_t>((Hi1 - Lo1 + 1) * (Hi2 - Lo2 + 1))> data_;
};

}  // namespace lutavo
