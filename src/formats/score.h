// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A piece of music as the readers of other files find it, before it is fitted to a song: tracks
// of bars of beats, with what the file says of tuning, capo, tempo, key and repeats. Every reader
// fills one; one set of rules then makes a song of it.

#include <string>
#include <variant>
#include <vector>

#include "formats/lost_items.h"

namespace lutavo::score {

// Time inside a score: a quarter note is 960 units, so dotted values and the usual tuplets down
// to a 64th come out whole.
inline constexpr long kQuarter = 960;

struct Note {
    int string = 0;     // 1 = the highest string, as tablature numbers them; 0 = not given
    int fret = -1;      // counted from the nut; -1 = not given
    int pitch = -1;     // MIDI note number; -1 = not given (string and fret then are)
    bool tied = false;  // continues the note before it on its string, nothing struck
    bool dead = false;  // a muted string: a click without pitch
    bool bend = false;  // the string is bent up while the note sounds
};

struct Beat {
    long length = 0;          // units
    std::vector<Note> notes;  // none: a rest
};

// What every track shares at a bar: its time signature, key, tempo and repeat marks.
struct BarInfo {
    int beats = 4;
    int beatType = 4;
    int fifths = 0;    // sharps above 0, flats below
    double tempo = 0;  // quarter notes a minute from this bar on; 0 = unchanged
    bool repeatStart = false;
    int repeatPlays = 0;     // at a closing repeat sign: how often its bars are played
    unsigned endings = 0;    // bit n - 1: the bar belongs to the ending played on pass n
    bool newSystem = false;  // the file starts a new line of music here
    long length() const { return beatType > 0 ? beats * 4 * kQuarter / beatType : 0; }
};

struct Track {
    std::string name;
    std::string instrument;
    int program = -1;         // General MIDI program 0..127; -1 not given
    std::vector<int> tuning;  // open strings as MIDI notes, string 1 (the highest) first
    int capo = 0;
    bool drums = false;
    // The beats of the track's first voice in each bar; bars line up with Score::bars.
    std::vector<std::vector<Beat>> bars;
    LostItems lost;  // what the reader left out of this track
};

struct Score {
    std::string title;
    std::string subtitle;
    std::string composer;
    double tempo = 120;  // quarter notes a minute at the start
    std::vector<BarInfo> bars;
    std::vector<Track> tracks;
    LostItems lost;  // what the reader left out of the whole piece
};

// Why a file was not imported: the message shown to the user, naming the file.
struct ImportFailure {
    std::string message;
};

using ReadResult = std::variant<Score, ImportFailure>;

}  // namespace lutavo::score
