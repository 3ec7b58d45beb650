// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record of practice sessions kept for the progress view, and the session under way.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/scoring_state.h"

namespace lutavo {

class PracticeRecord;

// Closes the record's database; defined beside the record, so that the state needs only its name.
struct PracticeRecordCloser {
    void operator()(PracticeRecord* record) const;
};
using PracticeRecordHandle = std::unique_ptr<PracticeRecord, PracticeRecordCloser>;

inline std::int64_t wallClockSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

// What a session practises: a passage of a song file.
struct PracticedPassage {
    std::string songFile;
    int first = 0;
    int last = 0;
    bool operator==(const PracticedPassage&) const = default;
};

// Wait mode: PLAY stops at each note until the player plays it on the guitar.
struct WaitState {
    bool on = false;       // chosen in the REPEAT menu (or with W)
    bool waiting = false;  // a note is shown and the input listens for it
    // The pass under way: notes played, strikes that played something else, when it began.
    int played = 0;
    int wrong = 0;
    std::int64_t beganAt = 0;  // seconds, by the practice clock
};

struct PracticeState {
    WaitState wait;
    ScoringState scoring;
    std::string recordPath;  // the database's file; "" when the user has no data folder
    // Opened at the first session, so that starting the program does not wait for it. Shared:
    // a copy of the whole state (the fuzz targets make them) writes to the same record.
    std::shared_ptr<PracticeRecord> record;
    bool recordTried = false;  // the record was opened, or its failure reported, once this run
    std::function<std::int64_t()> clock = wallClockSeconds;  // seconds since the epoch

    // The passage being looped, and its session in the record (0 when it is not recorded).
    bool practising = false;
    PracticedPassage passage;
    std::int64_t session = 0;
    // The playback's count of passes begun, as last seen; the tempo of the pass under way.
    int passesSeen = 0;
    bool passUnderWay = false;
    int passTempo = 100;
    // Scores (percent of notes hit) of the session's passes, in order, to be written as each
    // pass is recorded: the scoring judges a pass's last notes a moment after the next began.
    std::vector<double> scoresToWrite;
};

}  // namespace lutavo
