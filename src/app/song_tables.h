// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tables the song's key and tuning derive, rebuilt after a load and after every change of
// key or tuning.

namespace lutavo {

struct Guitar;
struct SongModel;
struct KeyState;

// Rebuilds the note names and staff positions for the song's key.
void setkey(KeyState& keys, SongModel& song);

// Rebuilds the pitch table from the strings' tuning offsets, names the tuner's string buttons
// in the key's spelling and the tuning on the tuning button (and above the TUNE page), and
// refills the tempo intervals.
void buildpitchtable(Guitar& g);

}  // namespace lutavo
