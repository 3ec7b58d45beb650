#include "services/fluidsynth/stream_mixer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "services/fluidsynth/short_message.h"
#include "services/fluidsynth/synth_engine.h"

namespace lutavo {

namespace {

// Long enough for the reverberation of the last note to die away.
constexpr long kQuietSecondsBeforeRest = 2;
// An output that says its block is heard this far from where the clock's line leads was paused
// or ran dry: the clock starts afresh.
constexpr double kResyncNs = 5'000'000;
// The output's reports of when a block is heard jitter by a fraction of a millisecond from block
// to block, and stray by up to a millisecond for seconds at a time, while the frames go out to
// the sound card at its steady pace. Every note is placed by the clock's line, so the line must
// follow the card and not the reports: after the first blocks, which it averages, it takes 1/1024
// of each report's difference and learns the card's pace (critically damped, so it settles in
// some six seconds of blocks without overshooting). A card's clock is a fraction of a
// millisecond a second from the system's, which bounds the pace it may learn.
constexpr double kSettledGain = 1.0 / 1024;
constexpr double kPaceGain = kSettledGain * kSettledGain / 4;
constexpr double kPaceBound = 1e-3;

}  // namespace

void StreamClock::restart() {
    started_ = false;
}

void StreamClock::blockStarts(std::int64_t heardAtNs, std::int64_t first) {
    if (!live_) return;
    const double frames = static_cast<double>(first - first_);
    const double predicted = heardAtNs_ + frames * 1e9 / rate_ * pace_;
    const double error = static_cast<double>(heardAtNs) - predicted;
    first_ = first;
    if (!started_ || std::abs(error) > kResyncNs) {
        started_ = true;
        heardAtNs_ = static_cast<double>(heardAtNs);
        blocksFollowed_ = 0;
        return;
    }
    ++blocksFollowed_;
    heardAtNs_ = predicted + error * std::max(1.0 / (blocksFollowed_ + 1), kSettledGain);
    if (frames <= 0) return;
    pace_ = std::clamp(pace_ + kPaceGain * error / (frames * 1e9 / rate_), 1 - kPaceBound,
                       1 + kPaceBound);
}

std::int64_t StreamClock::frameOf(std::int64_t stampNs) const {
    if (!live_) {
        // The first frame at or after the stamp.
        return (stampNs * rate_ + 999'999'999) / 1'000'000'000;
    }
    // Multiplied before dividing: a stamp on a whole frame stays on it.
    const double since = framesIn(static_cast<double>(stampNs + delayNs_) - heardAtNs_) / pace_;
    return first_ + static_cast<std::int64_t>(std::ceil(since));
}

void StreamMixer::apply(const StreamEvent& event, fluid_synth_t* synth) {
    if (event.clip != nullptr) {
        clips_.start(event.clip);
    } else if (synth != nullptr) {
        playShortMessage(synth, event.message);
        quietFrames_ = 0;
    }
}

bool StreamMixer::cancelled(const StreamEvent& event) const {
    if (event.generation == generation_.load(std::memory_order_acquire)) return false;
    const ShortMessage m = decodeShortMessage(event.message);
    return event.clip != nullptr || (m.kind() == kNoteOn && m.data2 > 0);
}

void StreamMixer::renderSpan(float* left, float* right, int frames, fluid_synth_t* synth) {
    if (synth != nullptr && fluid_synth_get_active_voice_count(synth) > 0) quietFrames_ = 0;
    resting_ = synth == nullptr || quietFrames_ >= kQuietSecondsBeforeRest * clock_.rate();
    if (!resting_) {
        quietFrames_ += frames;
        // Reverb and chorus go into the same two channels as the dry sound.
        std::array<float*, 4> effects = {left, right, left, right};
        std::array<float*, 2> dry = {left, right};
        fluid_synth_process(synth, frames, static_cast<int>(effects.size()), effects.data(),
                            static_cast<int>(dry.size()), dry.data());
    }
    clips_.mixInto(left, right, frames);
}

void StreamMixer::render(float* left, float* right, int frames, std::int64_t heardAtNs) {
    if (frames <= 0) return;
    fluid_synth_t* synth = synth_.load(std::memory_order_acquire);
    clock_.blockStarts(heardAtNs, frame_);
    int done = 0;
    while (done < frames) {
        int until = frames;
        for (const StreamEvent* e = events_.peek(); e != nullptr; e = events_.peek()) {
            if (cancelled(*e)) {
                events_.pop();
                continue;
            }
            const std::int64_t at = clock_.frameOf(e->stampNs) - frame_;
            if (at > done) {
                until = static_cast<int>(std::min<std::int64_t>(at, frames));
                break;
            }
            apply(*e, synth);  // late ones at once
            events_.pop();
        }
        renderSpan(left + done, right + done, until - done, synth);
        done = until;
    }
    frame_ += frames;
    for (int i = 0; i < frames; ++i) {
        left[i] = std::clamp(left[i], -1.0f, 1.0f);
        right[i] = std::clamp(right[i], -1.0f, 1.0f);
    }
}

}  // namespace lutavo
