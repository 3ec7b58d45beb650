// SPDX-License-Identifier: GPL-3.0-or-later
#include "listen/wait_mode.h"

#include <algorithm>
#include <cstdio>

#include "listen/take_judge.h"
#include "platform/audio_input.h"
#include "playback/note_sound.h"
#include "song/fret_codes.h"

namespace lutavo {

namespace {

constexpr unsigned kNoteOn = 0x90;

}  // namespace

PitchClassSet classesOfNote(const SongModel& song, int n, const SoundSettings& sound,
                            const PitchTable& pitchOf) {
    SoundingNotes sounding{};
    PitchClassSet classes = 0;
    for (const NoteMessage& m : noteMessages(fretsAt(song, n), sound, pitchOf, sounding, true)) {
        const unsigned velocity = (m.message >> 16) & 0x7Fu;
        if ((m.message & 0xF0u) == kNoteOn && velocity > 0)
            classes |= static_cast<PitchClassSet>(1u << (((m.message >> 8) & 0x7Fu) % 12));
    }
    return classes;
}

int nextStruckNote(const SongModel& song, int from, int last) {
    for (int n = std::max(from, 1); n <= last && n <= song.noteCount; ++n) {
        const auto frets = fretsAt(song, n);
        if (!frets || isMarker(song.noteDur[n])) continue;
        // A note of damped strings alone has no pitch to wait for.
        for (const i16 fret : *frets)
            if (onNeck(fret)) return n;
    }
    return 0;
}

bool heardNote(AudioInput& input, PitchClassSet expected, int& wrong) {
    for (HeardOnset strike; input.takeStrike(strike);) {
        if (soundsClasses(strike.rise, expected)) return true;
        ++wrong;
    }
    return false;
}

std::string waitPassSummary(const WaitState& pass, std::int64_t nowSeconds) {
    const long seconds = static_cast<long>(std::max<std::int64_t>(nowSeconds - pass.beganAt, 0));
    char text[128];
    std::snprintf(text, sizeof text,
                  "Well played: every note of the passage (%d notes, %d wrong on the way, "
                  "%ld:%02ld)",
                  pass.played, pass.wrong, seconds / 60, seconds % 60);
    return text;
}

void stopWaiting(WaitState& wait, AudioInput* input, TimerModel& listenTimer, bool tunerListening) {
    const bool was = wait.waiting;
    wait.waiting = false;
    if (!was || tunerListening) return;
    if (input != nullptr) input->stopListening();
    listenTimer.enabled = false;
}

}  // namespace lutavo
