// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a song as MusicXML: a standard staff above a tablature staff, with the tuning, capo,
// tempo, key, time signature, ties, triplets, bends and muted strings, so that notation
// programs open it with the same pitches and rhythm.

#include <string>

#include "song/song_model.h"

namespace lutavo {

struct MusicXmlTexts {
    std::string left;   // the text at the top left of the page
    std::string right;  // the composer
    int program = 24;   // the General MIDI program of the song's sound, 0..127
};

std::string musicXmlText(const SongModel& song, const MusicXmlTexts& texts);

}  // namespace lutavo
