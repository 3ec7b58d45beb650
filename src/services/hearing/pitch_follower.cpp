// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/hearing/pitch_follower.h"

#include <aubio/aubio.h>

#include <algorithm>

namespace lutavo {

namespace {

// Below this confidence the reading is noise or a string still settling after the pluck.
constexpr smpl_t kConfidence = 0.8f;
constexpr smpl_t kSilenceDb = -60.0f;
// Two readings in a row this close are a steady pitch: the first of a new sound, made while the
// window still holds what came before, is not shown.
constexpr double kSteadyRatio = 1.006;  // ten cents

}  // namespace

struct PitchFollower::Detector {
    explicit Detector(int rate)
        : pitch(new_aubio_pitch("yin", kWindow, kHop, static_cast<uint_t>(rate))),
          block(new_fvec(kHop)),
          found(new_fvec(1)) {
        if (pitch == nullptr) return;
        aubio_pitch_set_unit(pitch, "Hz");
        aubio_pitch_set_silence(pitch, kSilenceDb);
    }
    ~Detector() {
        if (pitch != nullptr) del_aubio_pitch(pitch);
        del_fvec(block);
        del_fvec(found);
    }
    Detector(const Detector&) = delete;
    Detector& operator=(const Detector&) = delete;

    aubio_pitch_t* pitch;
    fvec_t* block;
    fvec_t* found;
};

PitchFollower::PitchFollower(int rate) : detector_(std::make_unique<Detector>(rate)) {}

PitchFollower::~PitchFollower() = default;

bool PitchFollower::feed(const float* samples, std::size_t count) {
    bool read = false;
    while (count > 0) {
        const std::size_t n = std::min(count, kHop - filled_);
        std::copy_n(samples, n, detector_->block->data + filled_);
        filled_ += n;
        samples += n;
        count -= n;
        taken_ += static_cast<long>(n);
        if (filled_ < kHop) break;
        filled_ = 0;
        readBlock();
        read = true;
    }
    return read;
}

void PitchFollower::readBlock() {
    if (detector_->pitch == nullptr) return;
    aubio_pitch_do(detector_->pitch, detector_->block, detector_->found);
    double heard = detector_->found->data[0];
    if (aubio_pitch_get_confidence(detector_->pitch) < kConfidence) heard = 0;
    const bool steady = heard > 0 && previous_ > 0 &&
                        std::max(heard, previous_) <= kSteadyRatio * std::min(heard, previous_);
    previous_ = heard;
    hz_ = steady ? heard : 0.0;
    if (steady && firstReadingAfter_ < 0) firstReadingAfter_ = taken_;
}

}  // namespace lutavo
