// SPDX-License-Identifier: GPL-3.0-or-later
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

}  // namespace

void StreamMixer::apply(const StreamEvent& event, fluid_synth_t* synth) {
    if (event.clip != nullptr) {
        clips_.start(event.clip);
    } else if (synth != nullptr) {
        playShortMessage(synth, event.message);
        quietFrames_ = 0;
    }
}

int StreamMixer::playDue(int done, int frames, fluid_synth_t* synth) {
    const std::int64_t first = frame();
    for (;;) {
        // An ending that found no room: everything before it is played, nothing after it yet.
        if (events_.silenceDue() && synth != nullptr) fluid_synth_all_notes_off(synth, -1);
        const StreamEvent* e = events_.next();
        if (e == nullptr) return frames;
        const std::int64_t at = clock_.frameOf(e->stampNs) - first;
        if (at > done) return static_cast<int>(std::min<std::int64_t>(at, frames));
        apply(*e, synth);  // late ones at once
        events_.pop();
    }
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

void StreamMixer::render(float* left, float* right, int frames) {
    if (frames <= 0) return;
    fluid_synth_t* synth = synth_.load(std::memory_order_acquire);
    for (int done = 0; done < frames;) {
        const int until = playDue(done, frames, synth);
        renderSpan(left + done, right + done, until - done, synth);
        done = until;
    }
    frame_.store(frame() + frames, std::memory_order_relaxed);
    for (int i = 0; i < frames; ++i) {
        left[i] = std::clamp(left[i], -1.0f, 1.0f);
        right[i] = std::clamp(right[i], -1.0f, 1.0f);
    }
}

}  // namespace lutavo
