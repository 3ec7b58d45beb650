// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sounds made for the hearing's tests: steady sines, and plucked strings whose overtones fade
// faster than their fundamental, as a guitar's do.

#include <cmath>
#include <numbers>
#include <vector>

namespace lutavo::test {

inline constexpr int kRate = 44100;

inline double hzOf(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

inline std::vector<float> sine(double hz, double seconds, float level = 0.5f) {
    std::vector<float> out(static_cast<std::size_t>(seconds * kRate));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] =
            level * static_cast<float>(std::sin(2 * std::numbers::pi * hz * double(i) / kRate));
    return out;
}

// Adds a plucked string into out from the sample at, with eight overtones.
inline void addPluck(std::vector<float>& out, std::size_t at, double hz, float level = 0.2f) {
    for (std::size_t i = at; i < out.size(); ++i) {
        const double t = double(i - at) / kRate;
        double v = 0;
        for (int h = 1; h <= 8; ++h)
            v += std::exp(-t * (1.5 + 1.2 * h)) / h * std::sin(2 * std::numbers::pi * hz * h * t);
        out[i] += level * static_cast<float>(v);
    }
}

}  // namespace lutavo::test
