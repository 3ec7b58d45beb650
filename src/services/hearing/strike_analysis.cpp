// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/strike_analysis.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>

namespace lutavo {

namespace {

constexpr uint_t kOnsetWindow = 1024;
constexpr double kLowestHz = 70;
constexpr double kHighestHz = 5000;
// The detector also answers a note's own wavering and a string damped, where the sound shrinks and
// nothing new comes. Over the synthesizer's takes, strikes grow by a fifth and more or bring an
// eighth and more of new sound (bins grown to twice their magnitude); the others stay below both.
constexpr double kStrikeGrowth = 1.2;
constexpr double kStrikeNewShare = 0.12;
// What rang before a strike is taken off what sounds after it, but only in part: a string struck
// again while it rings brings little more than it had, and would otherwise go unheard.
constexpr float kRinging = 0.5f;
// Peaks quieter than this share of the loudest are noise.
constexpr float kPeakFloor = 0.02f;
// A strike within this time of the last one is the same strike.
constexpr smpl_t kOnsetGapMs = 50;
constexpr smpl_t kOnsetThreshold = 0.3f;

Chroma chromaOfPeaks(const std::vector<float>& mags, int rate) {
    Chroma chroma{};
    const float loudest = *std::max_element(mags.begin(), mags.end());
    if (loudest <= 0) return chroma;
    const double binHz = double(rate) / kSpectrumWindow;
    for (std::size_t k = 1; k + 1 < mags.size(); ++k) {
        const float m = mags[k];
        if (m < kPeakFloor * loudest || m <= mags[k - 1] || m < mags[k + 1]) continue;
        // The true frequency of a peak lies between bins: a parabola through the log magnitudes.
        const double a = std::log(mags[k - 1] + 1e-9), b = std::log(m + 1e-9),
                     c = std::log(mags[k + 1] + 1e-9);
        const double bend = a - 2 * b + c;
        const double shift = bend < 0 ? 0.5 * (a - c) / bend : 0.0;
        const double hz = (double(k) + shift) * binHz;
        if (hz < kLowestHz || hz > kHighestHz) continue;
        const long midi = std::lround(69.0 + 12.0 * std::log2(hz / 440.0));
        // Energy, not magnitude: the strong partials decide, not the many faint ones.
        chroma[static_cast<std::size_t>(((midi % 12) + 12) % 12)] += m * m;
    }
    return chroma;
}

// The share of the sound after a strike that is in bins grown to more than twice their magnitude.
double newShare(const std::vector<float>& before, const std::vector<float>& after) {
    double grown = 0, all = 0;
    for (std::size_t k = 0; k < after.size(); ++k) {
        const double a = double(after[k]) * after[k];
        all += a;
        grown += std::max(0.0, a - 4.0 * double(before[k]) * before[k]);
    }
    return all > 0 ? grown / all : 0.0;
}

// A strike: the sound grows, or a part of it is new (a quieter note over a loud one ringing).
bool struck(const std::vector<float>& before, const std::vector<float>& after) {
    double b = 0, a = 0;
    for (std::size_t k = 0; k < after.size(); ++k) {
        b += double(before[k]) * before[k];
        a += double(after[k]) * after[k];
    }
    return a >= kStrikeGrowth * b || newShare(before, after) >= kStrikeNewShare;
}

}  // namespace

long framesOf(long ms, int rate) {
    return ms * rate / 1000;
}

long beforeStart(long frame, int rate) {
    return frame - framesOf(kBeforeMs, rate) - kSpectrumWindow;
}

long afterStart(long frame, int rate) {
    return frame + framesOf(kAfterMs, rate);
}

struct SpectrumWindow::Parts {
    Parts()
        : frame(new_fvec(kSpectrumWindow)),
          window(new_aubio_window(const_cast<char_t*>("hanningz"), kSpectrumWindow)),
          fft(new_aubio_fft(kSpectrumWindow)),
          spectrum(new_cvec(kSpectrumWindow)) {}
    ~Parts() {
        del_fvec(frame);
        del_fvec(window);
        del_aubio_fft(fft);
        del_cvec(spectrum);
    }
    Parts(const Parts&) = delete;
    Parts& operator=(const Parts&) = delete;
    fvec_t* frame;
    fvec_t* window;
    aubio_fft_t* fft;
    cvec_t* spectrum;
};

SpectrumWindow::SpectrumWindow()
    : parts_(std::make_unique<Parts>()), magnitudes_(kSpectrumWindow / 2 + 1) {}

SpectrumWindow::~SpectrumWindow() = default;

float* SpectrumWindow::frame() {
    return parts_->frame->data;
}

std::vector<float>& SpectrumWindow::analyse() {
    fvec_weight(parts_->frame, parts_->window);
    aubio_fft_do(parts_->fft, parts_->frame, parts_->spectrum);
    std::copy_n(parts_->spectrum->norm, magnitudes_.size(), magnitudes_.begin());
    return magnitudes_;
}

struct OnsetDetector::Parts {
    explicit Parts(int rate)
        : onset(new_aubio_onset("hfc", kOnsetWindow, kOnsetHop, static_cast<uint_t>(rate))),
          block(new_fvec(kOnsetHop)),
          found(new_fvec(1)) {
        if (onset == nullptr) return;
        aubio_onset_set_threshold(onset, kOnsetThreshold);
        aubio_onset_set_minioi_ms(onset, kOnsetGapMs);
    }
    ~Parts() {
        if (onset != nullptr) del_aubio_onset(onset);
        del_fvec(block);
        del_fvec(found);
    }
    Parts(const Parts&) = delete;
    Parts& operator=(const Parts&) = delete;
    aubio_onset_t* onset;
    fvec_t* block;
    fvec_t* found;
};

OnsetDetector::OnsetDetector(int rate) : parts_(std::make_unique<Parts>(rate)) {}

OnsetDetector::~OnsetDetector() = default;

long OnsetDetector::feed(const float* hop) {
    if (parts_->onset == nullptr) return -1;
    std::copy_n(hop, kOnsetHop, parts_->block->data);
    aubio_onset_do(parts_->onset, parts_->block, parts_->found);
    if (parts_->found->data[0] == 0) return -1;
    return static_cast<long>(aubio_onset_get_last(parts_->onset));
}

std::optional<Chroma> strikeRise(const std::vector<float>& before, std::vector<float>& after,
                                 int rate) {
    if (!struck(before, after)) return std::nullopt;
    for (std::size_t k = 0; k < after.size(); ++k)
        after[k] = std::max(0.0f, after[k] - kRinging * before[k]);
    return chromaOfPeaks(after, rate);
}

}  // namespace lutavo
