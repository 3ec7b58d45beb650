#pragma once
// Loading a song file into the window.

#include <string>

namespace lutavo {

struct Guitar;

// Loads a song file into the song model and sets up the window for it. A file that cannot be
// used is reported and the current song stays.
void loadsong(Guitar& g, const std::string& fileName);

}  // namespace lutavo
