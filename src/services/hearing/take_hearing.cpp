// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/take_hearing.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "services/hearing/strike_analysis.h"

namespace lutavo {

namespace {

struct SourceFree {
    void operator()(aubio_source_t* s) const { del_aubio_source(s); }
};
struct FvecFree {
    void operator()(fvec_t* v) const { del_fvec(v); }
};

// The window's samples from start, silence outside the take.
std::vector<float>& spectrumAt(SpectrumWindow& window, const std::vector<float>& mono, long start) {
    float* frame = window.frame();
    for (long i = 0; i < kSpectrumWindow; ++i) {
        const long at = start + i;
        frame[i] = at >= 0 && at < static_cast<long>(mono.size()) ? mono[std::size_t(at)] : 0.0f;
    }
    return window.analyse();
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
        new_aubio_source(path.c_str(), 0, kOnsetHop));
    if (!source) {
        take.problem = "cannot read " + path + " as sound";
        return take;
    }
    take.rate = static_cast<int>(aubio_source_get_samplerate(source.get()));
    const std::unique_ptr<fvec_t, FvecFree> block(new_fvec(kOnsetHop));
    uint_t read = kOnsetHop;
    while (read == kOnsetHop) {
        aubio_source_do(source.get(), block.get(), &read);
        take.mono.insert(take.mono.end(), block->data, block->data + read);
    }
    return take;
}

HeardTake hearTake(const std::vector<float>& mono, int rate) {
    HeardTake heard;
    if (rate <= 0) return heard;
    OnsetDetector detector(rate);
    SpectrumWindow before, after;
    std::vector<float> hop(kOnsetHop);
    for (std::size_t at = 0; at < mono.size(); at += kOnsetHop) {
        const std::size_t n = std::min<std::size_t>(kOnsetHop, mono.size() - at);
        std::fill(hop.begin(), hop.end(), 0.0f);
        std::copy_n(mono.begin() + static_cast<long>(at), n, hop.begin());
        const long frame = detector.feed(hop.data());
        if (frame < 0) continue;
        const std::vector<float>& was = spectrumAt(before, mono, beforeStart(frame, rate));
        const auto rise = strikeRise(was, spectrumAt(after, mono, afterStart(frame, rate)), rate);
        if (rise) heard.push_back({frame * 1000 / rate, *rise});
    }
    return heard;
}

}  // namespace lutavo
