// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One line of a song as the printed sheet sets it: its columns with their heads on the staff,
// their stems' symbol, signs, ties and bars, and the marks of the tablature.

#include <array>
#include <vector>

#include "core/key_state.h"
#include "core/tuning_state.h"
#include "song/song_model.h"

namespace lutavo {

enum class Sign { None, Sharp, Flat, Natural };

// A tie that comes from a note on the line before.
inline constexpr int kTieFromBefore = -2;
inline constexpr int kNoTie = -1;

struct EngravedHead {
    int step = 0;    // staff step from the middle line, upwards positive
    int symbol = 6;  // the note symbol 1..10 that its own length shows
    Sign sign = Sign::None;
    bool muted = false;
    int tieFrom = kNoTie;  // the column of the line its tie starts at, or kTieFromBefore
};

enum class TabMark { Fret, HeldFret, Bend, Muted };

struct EngravedTab {
    int slot = 1;  // 1 the lowest string .. 6 the highest
    TabMark mark = TabMark::Fret;
    int fret = 0;  // counted from the capo
};

struct EngravedColumn {
    int note = 0;  // the song's note number
    int x = 0;     // along the line, in the window's page pixels
    int ticks = 0;
    int symbol =
        6;  // the symbol the stem and flags show (the highest stemmed head's), or the rest's
    int triplet = 0;  // 0, or the triplet length 5 or 11 the column is written as
    bool barBefore = false;
    int bar = 0;                      // bars counted along the line
    int inBar = 0;                    // ticks from its bar's start
    std::vector<EngravedHead> heads;  // lowest first; none for a rest
    std::vector<EngravedTab> tab;
};

// The pitch last written on each string, carried from one line to the next for the notes that
// ring on over a line's end.
using StringPitches = std::array<int, kStrings>;

// The columns of the song's line `page` (1..), read as the window's page reads them.
std::vector<EngravedColumn> engraveLine(const SongModel& song, const PitchTable& pitchOf,
                                        const KeyState& keys, int page, StringPitches& carry);

// The staff step, from the middle line, of a notation pitch as the key spells it.
int staffStep(const KeyState& keys, int pitch);

}  // namespace lutavo
