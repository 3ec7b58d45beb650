// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/wait_mode.h"

#include <algorithm>

#include "app/play_along.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "listen/wait_mode.h"
#include "platform/audio_input.h"
#include "playback/performer.h"
#include "playback/sound.h"
#include "playback/transport.h"
#include "tuning/heard_tuning.h"

namespace lutavo {

namespace {

constexpr const char* kWaitOn =
    "Wait for each note: PLAY now shows each note and waits until you play it";
constexpr const char* kWaitNoInput =
    "Wait mode needs to hear your guitar: connect a microphone, then press PLAY";

void startWaiting(Guitar& g) {
    if (isPlaying(g)) playbtn_Click(g, kStop);
    const PlayRange& range = g.transport.range;
    const int last = range.lastIn(g.song.noteCount);
    int n = nextStruckNote(g.song, std::max<int>(g.transport.curNote, range.first), last);
    if (n == 0) n = nextStruckNote(g.song, range.first, last);
    if (n == 0) return;
    if (g.sys.input == nullptr || !g.sys.input->startListening()) {
        showMessage(g, kWaitNoInput);
        return;
    }
    // What was heard before the note was shown is not an answer to it.
    for (HeardOnset stale; g.sys.input->takeStrike(stale);) {
    }
    g.practice.wait.waiting = true;
    g.practice.wait.played = 0;
    g.practice.wait.wrong = 0;
    g.practice.wait.beganAt = g.practice.clock();
    g.ltimer.interval = kHearingIntervalMs;
    g.ltimer.enabled = true;
    // Shown, not sounded: the player is to find it.
    g.transport.curNote = static_cast<i16>(n);
    presentNote(g, kShowOnly);
}

}  // namespace

void toggleWaitMode(Guitar& g) {
    WaitState& wait = g.practice.wait;
    wait.on = !wait.on;
    setupPlaybackControls(g);
    g.ui.mnuRepeat.items[kRepeatMenuWait].checked = wait.on;
    if (!wait.on) {
        stopWaiting(wait, g.sys.input, g.ltimer, g.tuning.heard.listening);
        return;
    }
    showMessage(g, kWaitOn);
}

int transportClick(Guitar& g, int index) {
    if (index == kPlay && g.practice.wait.on) {
        startWaiting(g);
        return -1;
    }
    if (index == kRepeat) return playbtn_Click(g, index);
    stopWaiting(g.practice.wait, g.sys.input, g.ltimer, g.tuning.heard.listening);
    followScoredPlay(g, true);
    const int chosen = playbtn_Click(g, index);
    if (index == kPlay) beginScoredPlay(g);
    return chosen;
}

void listenTick(Guitar& g) {
    if (g.sys.input == nullptr) return;
    followScoredPlay(g);
    // While the open strings play, the input would hear them rather than the guitar.
    if (g.tuning.heard.listening && !isPlaying(g))
        followHearing(g.tuning.heard, *g.sys.input, g.tuning.pitchOf);
    const int last = g.transport.range.lastIn(g.song.noteCount);
    WaitState& pass = g.practice.wait;
    while (pass.waiting) {
        const int n = g.transport.curNote;
        const PitchClassSet expected = classesOfNote(g.song, n, g.playback.sound, g.tuning.pitchOf);
        if (!heardNote(*g.sys.input, expected, pass.wrong)) return;
        ++pass.played;
        const int next = nextStruckNote(g.song, n + 1, last);
        if (next == 0) {
            stopWaiting(pass, g.sys.input, g.ltimer, g.tuning.heard.listening);
            showMessage(g, waitPassSummary(pass, g.practice.clock()));
            return;
        }
        g.transport.curNote = static_cast<i16>(next);
        presentNote(g, kShowOnly);
    }
}

}  // namespace lutavo
