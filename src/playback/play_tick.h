// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of what sounds when, one tick of the playback clock at a time: the metronome's beats,
// the lead-in, the note that is due with its messages, page turns and line markers, and the end
// of the play range. Pure: the song is read, the position and the counters move, and the tick's
// events are appended; the window's playback and every performance run these same steps.

#include <vector>

#include "base/numbers.h"
#include "playback/note_sound.h"
#include "playback/performance.h"

namespace lutavo {

using TickEvents = std::vector<PerformanceEvent>;

// Counts one tick and beats the metronome: a beat lights the lamp (and clicks with the
// metronome on) every metroTicks ticks, and four ticks after it the lamp goes dark.
void countTick(PlayCounters& c, int metroTicks, bool metronome, TickEvents& out);

// One tick of a play forward: counts, beats, and presents the note that is due: after the
// lead-in, past an end-of-page note and a line marker. At the end of the range the play loops,
// starts again, or ends.
void playTick(const SongModel& song, const PlaybackSettings& settings, TransportState& at,
              PlayCounters& c, TickEvents& out);

// The counters of a play that starts at at.curNote: its first tick presents that note at once
// (after the lead-in), and the beats fall where they fall in the note's line.
void startPlay(const SongModel& song, const PlaybackSettings& settings, const TransportState& at,
               PlayCounters& c);

// The place on the beat where each pass of a looping range begins: its first note's place in
// its line. Set at the start of a play, and again when the range changes during one.
void followRange(const SongModel& song, const PlaybackSettings& settings, PlayCounters& c);

// Before a note is presented, one end-of-page note (the next page is shown) and then one line
// marker (the line pointer moves) are passed; either makes the note after it due at once.
void passMarkers(const SongModel& song, const PlaybackSettings& settings, TransportState& at,
                 PlayCounters& c, TickEvents& out);

// The events of presenting note slot n: the cursor event, then the messages (strike false: the
// note is shown and what sounds on its strings stops, nothing is struck).
void noteEvents(const SongModel& song, const PlaybackSettings& settings, int n,
                SoundingNotes& sounding, bool strike, TickEvents& out);

// The page on which note n stands, of pageCount pages.
int pageOfNote(const SongModel& song, int n, int pageCount);

// The length of note slot n in ticks (a marker's code counts as its length); 0 outside the slots.
int durationAt(const SongModel& song, int n);

}  // namespace lutavo
