// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a song file.

#include <string>

#include "song/song_model.h"

namespace lutavo {

// What the file keeps of the window: the texts shown left and right above the page (which the
// song information panel may have changed), the pointers and the sound chosen.
struct SongTexts {
    std::string left;
    std::string right;
    bool pointer = false;
    bool vpointer = false;
    int style = 0;
};

// The whole file text of the song, lines ended with CR LF.
std::string songText(const SongModel& s, const SongTexts& shown);

}  // namespace lutavo
