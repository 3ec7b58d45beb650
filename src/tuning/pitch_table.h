#pragma once

namespace lutavo {

struct Guitar;

// Rebuilds the pitch table from the strings' tuning offsets, names the tuner's string buttons
// in the key's spelling and refills the tempo intervals. Frets are stored with the capo
// included, so the capo needs no place in the table.
void buildpitchtable(Guitar& g);

}  // namespace lutavo
