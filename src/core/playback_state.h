// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// State of the playback engine, the transport and the settings adjuster.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

// A speed trainer's plan: each pass of a loop at a speed (percent of the song's tempo) from the
// start to the goal, in steps taken every few passes; then it stops, or loops at the goal.
struct SpeedPlan {
    int startPercent = 60;
    int goalPercent = 100;
    int stepPercent = 5;
    int passesPerStep = 2;
    bool countIn = false;  // the lead-in's beats (four without one) before every pass
    bool loopAtGoal = false;
};

// Playback direction of the tick engine.
enum PlayMode : int { kPlayForward = 0, kPlayBackwards = 1 };

// The beat count after STOP: far past any beat, so the first tick after a restart is a beat.
inline constexpr i16 kBeatAfterStop = 99;
// A count of ticks since the last note this high means "the next note is due now".
inline constexpr i16 kNoteDue = 99;

// Per string slot 1..6, the note number last struck on it: what its note-off ends.
using SoundingNotes = FixedArray<int, 1, 6>;

// The sound the notes go out with, as the device was opened for the sound in use.
struct SoundSettings {
    int channel = 0;     // 0..15
    int program = 24;    // 0..127
    int velocity = 120;  // of every note-on, 0..127
    int shift = 36;      // semitones every struck note is raised by (12 x the sound's octave)
};

// Where a play stands between two ticks, beside the position itself.
struct PlayCounters {
    i16 noteTicks = 0;              // ticks since the last note was presented
    i16 beatTick = kBeatAfterStop;  // ticks since the last beat
    i16 leadInLeft = 0;             // lead-in beats still to count
    i16 playStartNote = 0;          // the note the lead-in returns to
    // A loop's passes start on the same place of the beat: the beat count when its first note
    // was presented, and the rest after its last note that comes back there.
    i16 passBeat = 0;
    i16 passRest = 0;
    int passesBegun = 0;  // passes of a loop begun since the program started
    // A count-in before the next pass clicks on the beats while the ticks since the last note
    // lie in countInFrom..countInTo-1.
    i16 countInFrom = 0;
    i16 countInTo = 0;
    SoundingNotes sounding;
};

// What the play did, with when it is heard on the steady clock (ms): kept for the scoring while
// a play is scored.
struct PlayCue {
    enum class Kind : std::uint8_t { Note, PassBegins, End };
    Kind kind = Kind::Note;
    int note = 0;
    int page = 0;  // the page shown with the note
    long heardMs = 0;
};

struct PlaybackState {
    // The settings adjuster: the setting shown and the slot of its pointer.
    i16 swapperMode = 5;
    i16 swapperPos = 9;
    // Slots of the scale shown and the pointer's left edge (twips) for each.
    i16 slotCount = 9;
    FixedArray<i16, 1, 29> swapperSlotX;
    // The capo the song's frets include, before the next applied capo change.
    i16 oldCapo = 0;
    // While the capo picture is held outside the editor: the note to return to afterwards.
    bool capoSounding = false;
    i16 capoSavedNote = 0;

    // The tick engine's counts and the notes sounding.
    PlayCounters counters;
    i16 playMode = kPlayForward;
    // The speed of the play in percent of the song's own tempo, for practice: never saved.
    i16 tempoPercent = 100;
    // The speed trainer: its plan, whether it runs, the pass under way (1 the first) and the
    // speed to go back to when it stops.
    SpeedPlan trainerPlan;
    bool trainerOn = false;
    int trainerPass = 0;
    i16 percentBeforeTrainer = 100;

    // Winding (REW or FFWD held).
    i16 winding = 0;  // -1 while held
    i16 windInterval = 15;
    i16 wasPlaying = 0;

    // The sound in use as the device was opened for it; the volume setting changes its velocity
    // at once.
    SoundSettings sound;

    bool keepCues = false;
    std::vector<PlayCue> cues;

    // The metronome's click as found on disk for a song's click file and folder, looked up once
    // rather than at every beat.
    struct Click {
        std::string sound, songFolder;    // what it was looked up for
        std::optional<std::string> path;  // where it was found
        bool looked = false;
    } click;
};

}  // namespace lutavo
