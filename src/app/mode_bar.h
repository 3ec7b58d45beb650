#pragma once

namespace lutavo {

struct Guitar;

// Closes the current song or lesson and shows the start-up song.
void closesong(Guitar& g);

}  // namespace lutavo
