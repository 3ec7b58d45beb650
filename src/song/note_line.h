// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One note line of a song file: fixed two-character columns for the duration (or control code)
// and the six fret fields, then optionally the note's x position times 15.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/numbers.h"
#include "song/song_model.h"

namespace lutavo {

// The numbers of a note line as they stand in the file, before capo and held notes.
struct NoteLineFields {
    i16 code = 0;
    StringFrets frets{};   // missing fields read as 0
    std::optional<i16> x;  // pixels; absent when the line is shorter than 15 characters
    int fieldCount = 0;    // fields after the code that the line reaches
};

NoteLineFields splitNoteLine(std::string_view line);

// A number in a two-character field: 0..9 with a leading "0", anything else as plain decimal.
std::string twoCharField(int value);

// The fret field written for a fret code held in memory: struck frets without the capo (a fret
// below the capo is written as the capo fret, the lowest fret a capoed string can sound),
// silent, bend and muted codes unchanged, held notes as "hold the previous note" (a held open
// string without a capo as 24).
i16 fileFret(i16 stored, i16 capo);

// Turns the file's fret fields into the codes kept in memory: the capo is added to struck
// frets and "hold the previous note" becomes a held note of the fret last struck on that
// string, or silence when the string is not ringing.
class HeldNoteResolver {
  public:
    i16 resolve(int slot, i16 fieldValue, i16 capo);
    void silenceAll() { ringing_.fill(false); }

  private:
    std::array<bool, kStrings> ringing_{};
    std::array<i16, kStrings> lastFret_{};
};

// Writes the note lines of a song from the first on, choosing each field so that the reader,
// following the same held strings, reads back the codes held in memory.
class NoteLineWriter {
  public:
    std::string line(const SongModel& song, int n);

  private:
    i16 fieldFor(int slot, i16 stored, i16 capo);
    HeldNoteResolver holds_;
};

}  // namespace lutavo
