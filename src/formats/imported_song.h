// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A piece fitted to Lutavo's songs: the settings of the song and its notes, in one or more
// parts of whole lines when it is longer than one song holds.

#include <array>
#include <string>
#include <vector>

#include "formats/lost_items.h"
#include "song/song_reader.h"

namespace lutavo {

struct ImportedSong {
    std::string title;
    std::string info;
    std::string composer;
    int songKey = 1;
    int timeSig = 0;
    int tempo = 8;  // the tempo step
    int capo = 0;
    std::array<int, kStrings> altTuning{};  // slot 1 first
    int sound = -1;  // the sound (0 Nylon .. 3 Overdrive) the file's guitar asks for; -1 none
    double fileTempo = 120;  // the piece's own tempo, quarter notes a minute
    // The notes of each part with their line ends; frets include the capo, as in memory.
    std::vector<std::vector<ParsedNote>> parts;
    std::vector<std::string> notices;  // what changed in fitting (tuning, tempo), for the user
    LostItems lost;

    // "Title (2 of 3)" for part 2 of 3; the title alone when there is one part.
    std::string partTitle(std::size_t part) const;
};

// Where part (0-based) of count parts goes, named after a song file path: "rock.SNG" gives
// "rock-2.SNG" for the second part; a name that already ends in a part's number ("rock-1.SNG")
// has it replaced.
std::string partFileName(const std::string& path, std::size_t part, std::size_t count);

// The whole text of a song file holding one part, playing with the song's own sound, else with
// otherSound.
std::string importedSongText(const ImportedSong& song, std::size_t part, int otherSound);

}  // namespace lutavo
