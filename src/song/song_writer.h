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

// Writes text to fileName through a temporary file beside it and a rename, so a failed write
// (full disk, no permission) leaves any old file whole. False when the file was not written.
bool writeFileSafely(const std::string& fileName, const std::string& text);

}  // namespace lutavo
