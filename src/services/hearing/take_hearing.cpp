// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/take_hearing.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace lutavo {

namespace {

constexpr uint_t kHop = 256;
constexpr uint_t kOnsetWindow = 1024;
// About 90 ms at the usual rates: long enough to part a low string's overtones, short enough
// that the next note of a quick run is rarely inside it.
constexpr uint_t kSpectrumWindow = 4096;
// The rise is measured from just before the strike to just after it.
constexpr long kBeforeMs = 5;
constexpr long kAfterMs = 15;
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

struct FvecFree {
    void operator()(fvec_t* v) const { del_fvec(v); }
};
struct CvecFree {
    void operator()(cvec_t* v) const { del_cvec(v); }
};
struct FftFree {
    void operator()(aubio_fft_t* f) const { del_aubio_fft(f); }
};
struct OnsetFree {
    void operator()(aubio_onset_t* o) const { del_aubio_onset(o); }
};
struct SourceFree {
    void operator()(aubio_source_t* s) const { del_aubio_source(s); }
};
using Fvec = std::unique_ptr<fvec_t, FvecFree>;

long framesOf(long ms, int rate) {
    return ms * rate / 1000;
}

// Magnitudes of the window of samples from start (silence outside the take).
std::vector<float> magnitudesAt(const std::vector<float>& mono, long start) {
    static_assert(kSpectrumWindow % 2 == 0);
    Fvec frame(new_fvec(kSpectrumWindow));
    const Fvec window(new_aubio_window(const_cast<char_t*>("hanningz"), kSpectrumWindow));
    for (uint_t i = 0; i < kSpectrumWindow; ++i) {
        const long at = start + static_cast<long>(i);
        frame->data[i] = at >= 0 && at < static_cast<long>(mono.size()) ? mono[std::size_t(at)] : 0;
    }
    fvec_weight(frame.get(), window.get());
    const std::unique_ptr<aubio_fft_t, FftFree> fft(new_aubio_fft(kSpectrumWindow));
    const std::unique_ptr<cvec_t, CvecFree> spectrum(new_cvec(kSpectrumWindow));
    aubio_fft_do(fft.get(), frame.get(), spectrum.get());
    return {spectrum->norm, spectrum->norm + spectrum->length};
}

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

std::vector<long> onsetFrames(const std::vector<float>& mono, int rate) {
    std::vector<long> onsets;
    const std::unique_ptr<aubio_onset_t, OnsetFree> detector(
        new_aubio_onset("hfc", kOnsetWindow, kHop, static_cast<uint_t>(rate)));
    if (!detector) return onsets;
    aubio_onset_set_threshold(detector.get(), kOnsetThreshold);
    aubio_onset_set_minioi_ms(detector.get(), kOnsetGapMs);
    Fvec block(new_fvec(kHop));
    Fvec found(new_fvec(1));
    for (std::size_t at = 0; at < mono.size(); at += kHop) {
        const std::size_t n = std::min<std::size_t>(kHop, mono.size() - at);
        std::fill(block->data, block->data + kHop, 0.0f);
        std::copy_n(mono.begin() + static_cast<long>(at), n, block->data);
        aubio_onset_do(detector.get(), block.get(), found.get());
        if (found->data[0] != 0)
            onsets.push_back(static_cast<long>(aubio_onset_get_last(detector.get())));
    }
    return onsets;
}

}  // namespace

TakeAudio readTakeAudio(const std::string& path) {
    TakeAudio take;
    if (std::FILE* file = std::fopen(path.c_str(), "rb"); file == nullptr) {
        take.problem = "cannot read " + path + ": " + std::strerror(errno);
        return take;
    } else {
        std::fclose(file);
    }
    // Each of the library's readers says why it could not read the file; the one reason given
    // above, or the one below, is what the user needs.
    aubio_log_set_level_function(
        AUBIO_LOG_ERR, [](int, const char_t*, void*) {}, nullptr);
    const std::unique_ptr<aubio_source_t, SourceFree> source(
        new_aubio_source(path.c_str(), 0, kHop));
    if (!source) {
        take.problem = "cannot read " + path + " as sound";
        return take;
    }
    take.rate = static_cast<int>(aubio_source_get_samplerate(source.get()));
    Fvec block(new_fvec(kHop));
    uint_t read = kHop;
    while (read == kHop) {
        aubio_source_do(source.get(), block.get(), &read);
        take.mono.insert(take.mono.end(), block->data, block->data + read);
    }
    return take;
}

Chroma chromaAt(const std::vector<float>& mono, int rate, long start) {
    return chromaOfPeaks(magnitudesAt(mono, start), rate);
}

HeardTake hearTake(const std::vector<float>& mono, int rate) {
    HeardTake heard;
    if (rate <= 0) return heard;
    for (long frame : onsetFrames(mono, rate)) {
        const std::vector<float> before =
            magnitudesAt(mono, frame - framesOf(kBeforeMs, rate) - long(kSpectrumWindow));
        std::vector<float> after = magnitudesAt(mono, frame + framesOf(kAfterMs, rate));
        if (!struck(before, after)) continue;
        for (std::size_t k = 0; k < after.size(); ++k)
            after[k] = std::max(0.0f, after[k] - kRinging * before[k]);
        heard.push_back({frame * 1000 / rate, chromaOfPeaks(after, rate)});
    }
    return heard;
}

}  // namespace lutavo
