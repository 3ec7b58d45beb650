// SPDX-License-Identifier: GPL-3.0-or-later
#include "clips.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "output.h"

namespace lutavo::assetgen {

namespace {

constexpr double kRate = kClipRate;

// A small fixed-seed generator: the clips come out identical on every build.
class Noise {
  public:
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    }

  private:
    std::uint32_t state_ = 0x1234567u;
};

struct Mode {
    double frequency;
    double amplitude;
    double decaySeconds;
};

std::vector<double> ringModes(double seconds, double attackSeconds,
                              const std::vector<Mode>& modes) {
    std::vector<double> out(static_cast<std::size_t>(seconds * kRate), 0.0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack =
            t < attackSeconds ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / attackSeconds) : 1.0;
        double sum = 0.0;
        for (const Mode& m : modes) {
            sum += m.amplitude * std::exp(-t / m.decaySeconds) *
                   std::sin(2.0 * std::numbers::pi * m.frequency * t);
        }
        out[i] = attack * sum;
    }
    return out;
}

// Scales to the given peak, fades the last few milliseconds to silence, and rounds to 16 bits.
std::vector<std::int16_t> finish(std::vector<double> signal, double peak, double fadeSeconds) {
    double largest = 0.0;
    for (double v : signal)
        largest = std::max(largest, std::abs(v));
    const double gain = largest > 0.0 ? peak / largest : 0.0;
    const std::size_t fade = std::min(signal.size(), static_cast<std::size_t>(fadeSeconds * kRate));
    std::vector<std::int16_t> out(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i) {
        double v = signal[i] * gain;
        const std::size_t fromEnd = signal.size() - i;
        if (fromEnd <= fade) v *= static_cast<double>(fromEnd - 1) / static_cast<double>(fade);
        out[i] = static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0));
    }
    return out;
}

// One plucked string: a burst of noise circulating in a delay line whose averaging filter
// takes the brightness out as it rings.
void pluck(std::vector<double>& mix, double startSeconds, double frequency, double level,
           Noise& noise) {
    const int period = static_cast<int>(std::lround(kRate / frequency));
    std::vector<double> line(static_cast<std::size_t>(period));
    double previous = 0.0;
    for (double& v : line) {
        const double n = noise.next();
        v = 0.5 * (n + previous);  // a softer pick than raw noise
        previous = n;
    }
    const std::size_t start = static_cast<std::size_t>(startSeconds * kRate);
    std::size_t at = 0;
    for (std::size_t i = start; i < mix.size(); ++i) {
        const std::size_t next = (at + 1) % line.size();
        const double out = line[at];
        line[at] = 0.4985 * (line[at] + line[next]);
        at = next;
        mix[i] += level * out;
    }
}

}  // namespace

std::vector<std::int16_t> synthTick() {
    std::vector<double> knock = ringModes(
        0.07, 0.0004,
        {{1020.0, 1.0, 0.018}, {2460.0, 0.55, 0.008}, {3850.0, 0.3, 0.004}, {610.0, 0.25, 0.012}});
    Noise noise;
    for (std::size_t i = 0; i < 90 && i < knock.size(); ++i) {
        knock[i] += 0.4 * noise.next() * (1.0 - static_cast<double>(i) / 90.0);  // the strike
    }
    return finish(knock, 0.8, 0.005);
}

std::vector<std::int16_t> synthSoftClick() {
    const std::vector<double> click =
        ringModes(0.04, 0.001, {{1400.0, 1.0, 0.004}, {700.0, 0.6, 0.007}});
    return finish(click, 0.35, 0.004);
}

std::vector<std::int16_t> synthJingle() {
    std::vector<double> mix(static_cast<std::size_t>(1.2 * kRate), 0.0);
    Noise noise;
    const double notes[5] = {196.00, 246.94, 293.66, 392.00, 493.88};  // G3 B3 D4 G4 B4
    for (int i = 0; i < 5; ++i)
        pluck(mix, 0.11 * i, notes[i], i == 4 ? 1.0 : 0.8, noise);
    return finish(mix, 0.7, 0.3);
}

std::vector<std::int16_t> synthOpenString(double frequency) {
    std::vector<double> ring(static_cast<std::size_t>(2.5 * kRate), 0.0);
    Noise noise;
    pluck(ring, 0.0, frequency, 1.0, noise);
    return finish(ring, 0.7, 0.4);
}

}  // namespace lutavo::assetgen
