#pragma once

namespace lutavo {

struct Guitar;

// Rebuilds the note names and staff positions for the song's key.
void setkey(Guitar& g);

}  // namespace lutavo
