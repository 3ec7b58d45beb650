// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scoring a recorded take against a song file, as the command line does it: the song's play
// gives the notes expected, the take's hearing what was played, and the report goes line by line.

#include <optional>
#include <string>
#include <vector>

#include "app/song_export.h"
#include "core/transport_state.h"
#include "listen/take_judge.h"

namespace lutavo {

struct ExpectedPlay {
    std::vector<ExpectedNote> notes;
    std::vector<int> lines;  // the line (page) each expected note is shown on
    long beatMs = 500;
};

// The notes the song file expects when the range of it is played once from its first note, at
// its tempo, without lead-in. Nothing, with the reason on standard error, when the song cannot
// be played or the range is not in it.
std::optional<ExpectedPlay> expectedPlayOf(const ExportRequest& request, const PlayRange& range);

// One line of text per line of the song ("Line 2: 7 of 8 hit (1 late)"), then the total.
std::vector<std::string> scoreReport(const ExpectedPlay& play,
                                     const std::vector<Judgement>& judged);

// "A-B" as a range of notes from A to B (A and B from 1); nothing when it is not one.
std::optional<PlayRange> parseNoteRange(const std::string& text);

}  // namespace lutavo
