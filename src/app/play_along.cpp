// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/play_along.h"

#include "core/control_ids.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "listen/play_along.h"
#include "listen/wait_mode.h"
#include "platform/audio_input.h"
#include "platform/sound_clock.h"
#include "playback/performance.h"
#include "playback/performer.h"
#include "playback/sound.h"
#include "playback/transport.h"
#include "practice/practice_session.h"
#include "tuning/heard_tuning.h"

namespace lutavo {

namespace {

constexpr const char* kScoringOn =
    "Score my playing: PLAY now listens as you play along and marks each note (wear headphones, "
    "so that only your guitar is heard)";
constexpr const char* kScoringOff = "Score my playing is off";
constexpr const char* kScoringNoInput =
    "Scoring needs to hear your guitar: connect a microphone, then press PLAY";

// The play no longer cues the scoring; the input goes unless the tuner or wait mode still listens.
void stopHearing(PlaybackState& playback, AudioInput* input, TimerModel& listenTimer,
                 bool stillListened) {
    playback.keepCues = false;
    playback.cues.clear();
    if (stillListened) return;
    if (input != nullptr) input->stopListening();
    listenTimer.enabled = false;
}

// Each pass's score shows on the page as it is judged, and a pass played through is recorded.
// Returns what to tell: the play's last score, and the record's trouble.
std::vector<std::string> notePasses(PracticeState& practice, const PracticedPassage& passage,
                                    const std::vector<PassReport>& reports) {
    ScoringState& s = practice.scoring;
    std::vector<std::string> tell;
    for (const PassReport& report : reports) {
        if (report.score.total == 0) continue;
        s.lastPass = passLine(report.score);
        if (!s.listening && &report == &reports.back()) tell.push_back(s.lastPass);
        if (!report.playedThrough) continue;
        const ScoredPass pass{passage, s.tempoPercent, report.score.hitPercent(), report.lengthMs};
        if (auto trouble = recordScoredPass(practice, pass); !trouble.empty())
            tell.push_back(std::move(trouble));
    }
    return tell;
}

// The strikes heard and the cues of the play since the last look; a pass begun brings its
// beat (the speed trainer may have changed the tempo).
void takeHeard(ScoringState& s, PlaybackState& playback, AudioInput* input, const SongModel& song,
               const PitchTable& pitchOf, long beatMs) {
    if (input != nullptr) {
        for (HeardOnset strike; input->takeStrike(strike);)
            addStrike(s, strike);
    }
    for (const PlayCue& cue : playback.cues) {
        const bool note =
            cue.kind == PlayCue::Kind::Note && decltype(song.noteX)::contains(cue.note);
        const PitchClassSet classes =
            note ? classesOfNote(song, cue.note, playback.sound, pitchOf) : 0;
        if (cue.kind == PlayCue::Kind::PassBegins) s.beatMs = beatMs;
        followCue(s, cue, classes, note ? song.noteX[cue.note] : 0);
    }
    playback.cues.clear();
}

}  // namespace

void toggleScoring(Guitar& g) {
    ScoringState& s = g.practice.scoring;
    followScoredPlay(g, true);
    s.on = !s.on;
    setupPlaybackControls(g);
    g.ui.mnuRepeat.items[kRepeatMenuScore].checked = s.on;
    showMessage(g, s.on ? kScoringOn : kScoringOff);
}

void beginScoredPlay(Guitar& g) {
    ScoringState& s = g.practice.scoring;
    if (!s.on || !isPlaying(g)) return;
    if (g.sys.input == nullptr || !g.sys.input->startListening()) {
        showMessage(g, kScoringNoInput);
        return;
    }
    // What was heard before the play began is not played along with it.
    for (HeardOnset stale; g.sys.input->takeStrike(stale);) {
    }
    beginScoring(s, timeAtTick(g.song.metroTicks, liveSettings(g)), g.playback.tempoPercent);
    s.latencyMs = g.config.inputLatencyMs;
    g.playback.keepCues = true;
    g.playback.cues.clear();
    g.ltimer.interval = kHearingIntervalMs;
    g.ltimer.enabled = true;
}

void followScoredPlay(Guitar& g, bool stopping) {
    ScoringState& s = g.practice.scoring;
    if (!s.listening) return;
    takeHeard(s, g.playback, g.sys.input, g.song, g.tuning.pitchOf,
              timeAtTick(g.song.metroTicks, liveSettings(g)));
    // A play that stopped without its end (another song, another page of the program) is over.
    stopping = stopping || (!isPlaying(g) && !s.ended);
    const PlayRange& range = g.transport.range;
    const PracticedPassage passage{g.song.songFile, range.first, range.lastIn(g.song.noteCount)};
    const auto reports = stopping ? judgeAll(s) : judgeDue(s, steadyMs(g.sys.clock));
    for (const std::string& text : notePasses(g.practice, passage, reports))
        showMessage(g, text);
    if (s.listening) return;
    stopHearing(g.playback, g.sys.input, g.ltimer,
                g.tuning.heard.listening || g.practice.wait.waiting);
}

}  // namespace lutavo
