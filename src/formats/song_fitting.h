// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fitting a track of a piece to a song: tuning, capo, tempo, key and time signature, its notes on
// the six strings, repeats written out, lines of whole bars and parts when it is too long.

#include <string>
#include <vector>

#include "formats/imported_song.h"
#include "formats/score.h"

namespace lutavo {

// A track the user can choose, described as the picker shows it.
struct TrackChoice {
    int track = 0;  // index into the piece's tracks
    std::string label;
    bool sixStrings = false;
};

// The tracks with notes a guitar can play (not drums), in file order.
std::vector<TrackChoice> trackChoices(const score::Score& piece);

// The choice offered first: the first six-string fretted track, else the first track.
std::size_t preferredChoice(const std::vector<TrackChoice>& choices);

// The song made of one track of the piece (an index into its tracks).
ImportedSong fitToSong(const score::Score& piece, int track);

// The tempo step whose speed is nearest to quarter notes a minute.
int nearestTempoStep(double quarterNotesPerMinute);

// Quarter notes a minute at a tempo step: a tick lasts 2 x step + 20 ms, a quarter 16 ticks.
double quarterNotesPerMinute(int step);

}  // namespace lutavo
