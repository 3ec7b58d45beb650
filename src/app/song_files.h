#pragma once
// Reading and writing song files.

#include <string>

namespace lutavo {

struct Guitar;

// Loads a song file into the song model and sets up the window for it. A file that cannot be
// used is reported and the current song stays.
void loadsong(Guitar& g, const std::string& fileName);

// Writes the song model to fileName. Returns false (and leaves any old file whole) when the
// file cannot be written.
bool savesong(Guitar& g, const std::string& fileName);

}  // namespace lutavo
