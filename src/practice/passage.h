// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A passage to practise: its start and end set at the current note or line, and looping it.
// The passage is the transport's play range; the song's arrays never change for it.

#include "core/transport_state.h"
#include "playback/play_range.h"

namespace lutavo {

struct Guitar;
struct SongModel;

enum class PassageEnd { Start, End };
// Where an end is set: at the current note, or at the first or last note of the current line.
enum class PassageAt { Note, Line };

// The first and last note of the line on `page`; 0 where the page holds none.
int lineFirstNote(const SongModel& song, int page);
int lineLastNote(const SongModel& song, int page);

// The range with one end at note n; the other end moves along when n would pass it.
PlayRange withPassageEnd(PlayRange range, PassageEnd end, int n);

// `[` `]` (at the note) and `{` `}` (at the line): marks an end of the passage. While stopped
// the position goes to just before the passage, where PLAY begins it.
void markPassage(Guitar& g, PassageEnd end, PassageAt at);

// The practice speed, in percent of the song's tempo, brought within 25%..200%; it applies at
// once, also while playing.
void setTempoPercent(Guitar& g, int percent);

// `L`: loops the marked passage, or the current line when none is marked; again, stops looping
// and keeps the passage.
void toggleLoop(Guitar& g);

}  // namespace lutavo
