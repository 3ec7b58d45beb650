// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lutavo {

struct SongModel;

// The start-up state of the song model: no notes, default settings and the fixed tables.
void setSongDefaults(SongModel& s);

// Rebuilds durSymbol, the note symbol of every tick count (after every load).
void buildDurSymbol(SongModel& s);

}  // namespace lutavo
