// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one note column of a line holds, as both the window's page and the printed sheet read
// it: the codes of its strings, the pitches they write, how long a struck note's symbol lasts
// and where bars begin.

#include "core/tuning_state.h"
#include "song/song_model.h"

namespace lutavo {

// Pitch range of the staff (five octaves from the lowest C).
inline constexpr int kLowestStaffPitch = 1;
inline constexpr int kHighestStaffPitch = 60;
// The longest symbol: a whole note.
inline constexpr int kMaxShownTicks = 64;

constexpr bool drawsOnStaff(int p) {
    return p >= kLowestStaffPitch && p <= kHighestStaffPitch;
}

// The fret code of a string, with codes no editor writes (a file may hold anything) read as a
// silent string, so nothing downstream looks a fret up outside its tables.
int columnFret(const SongModel& song, int i, int s);

// The notation pitch (1 = the lowest C of the staff) of a fret on a string slot.
int notationPitch(const PitchTable& pitchOf, int slot, int fret);

// A bend sounds one semitone above the note before it on that string; `last` is the pitch
// last written on the string.
int bendPitch(const SongModel& song, const PitchTable& pitchOf, int last, int i, int s);

// Triplet eighths are stored as 5 ticks and triplet quarters as 11; a group that fills its beat
// exactly ends on a note one tick off (5 + 5 + 6, 11 + 11 + 10), written as a triplet too. The
// triplet length column i is written as, 0 when none.
int tripletLength(const SongModel& song, int i);

// The ticks of a bar under the time signature in force, 0 without bars.
int barLength(const SongModel& song);

// Counts a column of `dur` ticks into the bar; true when it starts a new bar (the count then
// holds the column alone).
bool countIntoBar(i16& count, int dur, int bar);

// How long the symbol of the note struck at column i on string s lasts: as long as the string
// holds it, within the bar when there are bars (barCount counts the bar up to and with the
// column), and never longer than a whole note.
int heldLength(const SongModel& song, int barCount, int i, int s);

}  // namespace lutavo
