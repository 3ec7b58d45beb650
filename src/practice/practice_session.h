// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A session of practice follows the transport: it begins when a looped passage plays, records
// each pass played through, and ends when the play stops, the passage or the song changes, or
// the program quits.

#include <optional>
#include <string>

#include "core/playback_state.h"
#include "core/practice_state.h"
#include "core/transport_state.h"
#include "practice/practice_record.h"

namespace lutavo {

// What the transport is doing now, as a session sees it.
struct PracticeMoment {
    bool looping = false;  // a loop plays
    PracticedPassage passage;
    int passesBegun = 0;  // the playback's count of passes begun
    int tempoPercent = 100;
};

struct SongModel;

// The moment of a window that is playing or not, with its song, transport and speed.
PracticeMoment practiceMoment(bool playing, const SongModel& song, const TransportState& at,
                              const PlaybackState& playback);

// Brings the session up to date with the moment: records the passes played through since, ends
// the session when the loop stopped or moved, and begins one when a loop plays. Returns what to
// tell the user ("" for nothing): the record's trouble, once a run. Called after every action
// and tick of the window.
std::string followPractice(PracticeState& p, const PracticeMoment& now);

// Opens the record the first time it is asked for; what went wrong ("" for nothing) is told once.
std::string openPracticeRecord(PracticeState& p);

// A pass played through was scored: the score goes to its pass in the session of the passage
// practised, or the play is recorded as a session of one pass. Returns what to tell the user,
// as followPractice does.
struct ScoredPass {
    PracticedPassage passage;
    int tempoPercent = 100;
    double hitPercent = 0;
    long lengthMs = 0;
};
std::string recordScoredPass(PracticeState& p, const ScoredPass& pass);

// Ends the session under way, if any: the pass not played through is not recorded.
void endPracticeSession(PracticeState& p);

// The song file's path and the hash of its bytes; nullopt when the file cannot be read.
std::optional<PracticedSong> practicedSong(const std::string& songFile);

}  // namespace lutavo
