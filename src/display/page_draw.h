// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pieces of one page redraw, shared by the files that draw them.

#include "base/fixed_array.h"
#include "song/song_model.h"

namespace lutavo {

struct Guitar;
struct SongModel;
struct DisplayState;
struct PlayRange;

// Working values of one redraw of a drawn page.
struct PageRun {
    int first = 1;    // first note of the page
    int next = 1;     // first note of the page after it
    int halfGap = 0;  // half the distance between the first two columns
    // Per string slot: the duration its symbol shows, and the x of its last struck note here.
    FixedArray<int, 1, kStrings> shownDur;
    FixedArray<int, 1, kStrings> tieStartX;
};

// The notes of page `page` (1..29), kept inside the arrays whatever the page table holds.
PageRun pageRunOf(const SongModel& song, int page);

// Inverts the tablature from 15 pixels left of the first marked note of the page to 3 pixels
// right of the last; markStart 0 means no mark.
void drawMarkedRange(SongModel& song, DisplayState& display, const PageRun& run, int markStart,
                     int markEnd);

// The passage's start and end on the page, as brackets before its first note and after its
// last, over the notation and the tablature.
void drawPassageMarks(DisplayState& d, const SongModel& song, const PlayRange& range,
                      const PageRun& run);

// The time signature 1..5 in force, or 0 for none (also for a value no scale has).
int activeTimeSig(const SongModel& song);

// The note symbol 1..10 for a duration in ticks; durations beyond the table show as whole
// notes and negative ones as the shortest symbol.
int durationSymbol(const SongModel& song, int ticks);

// Key signature (the signs of table K) and time signature on the staff.
void drawKeySignature(SongModel& song, DisplayState& display);
void drawTimeSignature(SongModel& song, DisplayState& display);

// Ledger lines of one column, 12 pixels wide ending at x, for the column's pitch range.
void drawLedgerLines(DisplayState& display, int x, int topPitch, int bottomPitch);

// Draws column i of the page: bar line, ties, fret numbers, notes, rest or ledger lines,
// chord joiner and triplet mark.
void drawColumn(Guitar& g, PageRun& run, int i);

}  // namespace lutavo
