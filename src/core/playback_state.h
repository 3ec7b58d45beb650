#pragma once
// State of the playback engine, the transport and the settings adjuster.

#include <cstdint>
#include <string>

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

// Playback direction of the tick engine.
enum PlayMode : int { kPlayForward = 0, kPlayBackwards = 1 };

// The beat count after STOP: far past any beat, so the first tick after a restart is a beat.
inline constexpr i16 kBeatAfterStop = 99;

struct PlaybackState {
    i16 repeatSong = 0;
    i16 repeatLine = 0;
    // First note of the repeated range (1 for the whole song).
    i16 repeatStart = 1;
    // While a line repeats: the song's own note count and the duration stored before the line.
    i16 repeatSavedCount = 0;
    i16 savedLineDur = 0;

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

    // Tick engine counters: ticks since the last note was presented and since the last beat.
    i16 noteTicks = 0;
    i16 beatTick = kBeatAfterStop;
    i16 leadInLeft = 0;
    i16 playStartNote = 0;
    i16 playMode = kPlayForward;

    // Winding (REW or FFWD held).
    i16 winding = 0;  // -1 while held
    i16 windInterval = 15;
    i16 wasPlaying = 0;

    // MIDI side: the channel of the sound in use and its derived values, per 0-based channel.
    i16 curChannel = 0;
    FixedArray<std::int32_t, 0, 15> channelVelocity;  // already shifted into data byte 2
    FixedArray<i16, 0, 15> channelShift;              // semitones
    // Per string slot, the note number last sounded on it, shifted into data byte 1.
    FixedArray<std::int32_t, 1, 6> soundingNote;

    // The metronome's click as found on disk for a song's click file and folder, looked up once
    // rather than at every beat.
    struct Click {
        std::string sound, songFolder;  // what it was looked up for
        std::string path;               // where it was found, or where it was looked for first
        bool found = false;
        bool looked = false;
    } click;
};

}  // namespace lutavo
