// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a song sounds like, as data: the timed events of a play. The window's playback, the MIDI
// export and the WAV render all play these events, so every rule of what sounds when lives in
// one place (playback/play_tick.h) and has one result.

#include <cstdint>
#include <vector>

#include "base/numbers.h"
#include "core/playback_state.h"
#include "core/transport_state.h"
#include "core/tuning_state.h"

namespace lutavo {

struct SongModel;

struct PlaybackSettings {
    SoundSettings sound;
    // The string slots' pitches with the song's tuning; the capo is in the frets already.
    PitchTable pitchOf;
    int tempo = 8;  // tempo step, 1 fastest .. 30 slowest
    // The whole play faster or slower than the tempo step, in percent; the ticks stay the same.
    int speedPercent = 100;
    bool metronome = false;  // a click on every beat
    int leadIn = 0;          // beats counted in before the first note
    PlayRange range;
    // A range that loops, or a song that repeats, plays this many passes.
    int passes = 1;
    bool repeatSong = false;
    // Beats counted in before every pass of a loop after the first.
    int passCountIn = 0;
    // The pages the song is shown on; a turn after the last shows the first again.
    int pageCount = 1;
    // Drawn pages (not pictures): a turn to another page starts the beat count afresh, so the
    // clicks follow the lines.
    bool drawnPages = true;
};

enum class EventKind : std::uint8_t {
    Message,     // a MIDI short message goes out (note-ons and -offs name their string slot)
    Click,       // the click clip sounds: a metronome beat, or a lead-in count without it
    Beat,        // a beat of the metronome: its lamp lights
    BeatEnd,     // four ticks after a beat: the lamp goes dark
    LeadIn,      // a lead-in beat is counted; `value` counts still to come (0: the play begins)
    PageTurn,    // the page `value` is shown
    LineMarker,  // the line pointer of a picture page moves to line `value`
    NoteStart,   // note `note` is presented (-1: the silent count position of the lead-in)
    End,         // the play is over: the song's end without repeat
    PassBegins,  // a pass of a loop begins at its first note `note`
};

struct PerformanceEvent {
    long tick = 0;    // ticks since the play started, the first tick being 0
    long timeMs = 0;  // at the settings' tempo and speed
    EventKind kind = EventKind::Message;
    i16 note = 0;  // the note that is presented, or whose presenting sends the message
    i16 slot = 0;  // the string slot 1..6 of a note-on or -off, 0 otherwise
    int value = 0;
    std::uint32_t message = 0;  // status | data1 << 8 | data2 << 16

    bool operator==(const PerformanceEvent&) const = default;
};

struct Performance {
    std::vector<PerformanceEvent> events;
    long endTick = 0;  // the tick at which the play ended: the end of its last note
    long endMs = 0;
};

// Plays the range of the song once from its first note, with the lead-in and the clicks the
// settings ask for, and returns every event. The sound's program changes come first, at 0; a
// range that loops, or a repeated song, ends where its pass after the last would begin.
Performance performance(const SongModel& song, const PlaybackSettings& settings);

// Milliseconds from the start of a play to its tick.
long timeAtTick(long tick, const PlaybackSettings& settings);

// The settings of a play of the whole song as it is set: its tempo, metronome and page count,
// the sound given, no lead-in.
PlaybackSettings songSettings(const SongModel& song, const SoundSettings& sound,
                              const PitchTable& pitchOf);

}  // namespace lutavo
