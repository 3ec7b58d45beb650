// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Play-along scoring at the window: while the song plays, the input hears the player, the page
// marks each note as it is judged, and each pass's score is told and kept in the practice record.

namespace lutavo {

struct Guitar;

// Scoring on or off (the REPEAT menu's "Score my playing", or S).
void toggleScoring(Guitar& g);

// A play has just begun: with scoring on, the input listens to it.
void beginScoredPlay(Guitar& g);

// A tick of the listening timer: the strikes heard and the notes played since, the notes whose
// strikes are all in judged, each pass judged whole told. Stopping (the play stops or moves):
// every note presented is judged now and the pass told.
void followScoredPlay(Guitar& g, bool stopping = false);

}  // namespace lutavo
