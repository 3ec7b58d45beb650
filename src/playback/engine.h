// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The playback engine: one tick of the playback timer, and the preparation that makes the first
// tick after PLAY due at once.

namespace lutavo {

struct Guitar;
struct TimerModel;

// Which positions a backwards search stops at.
enum class BackStop {
    Sounding,         // fast backwards: a note with a struck fret
    SoundingOrMuted,  // BACK: a struck fret or a muted string
    AnyNote,          // BACK in the editor: every note, silent ones too
};

// One tick of ntimer: plays the tick's events forward, or while REW is held steps backwards
// whenever the note shown has run its length.
void ntimer_Timer(Guitar& g);

// Sets the lead-in, the start note and the counters so that the first tick presents at once.
void preparePlayStart(Guitar& g);

// Moves curNote back to the previous note the search accepts, turning pages back and placing
// the line pointer on the way; never before the start of the played range.
void stepBackwards(Guitar& g, BackStop stop);

// The stopped state: the playback timer off, the window timer on.
void stopPlaying(TimerModel& ntimer, TimerModel& gtimer);

}  // namespace lutavo
