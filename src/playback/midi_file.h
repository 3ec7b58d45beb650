#pragma once
// Exporting a song's performance: the engine runs on a virtual clock over a copy of the window's
// state and every short message is kept with its time; a Standard MIDI File holds the result.

#include <cstdint>
#include <string>
#include <vector>

#include "base/safe_file.h"

namespace lutavo {

struct Guitar;

struct TimedMessage {
    long timeMs;  // from the first note's start
    std::uint32_t message;
    bool operator==(const TimedMessage&) const = default;
};

// A wave clip (the metronome's click) the engine started, with its path as it would be played.
struct TimedClip {
    long timeMs;
    std::string path;
    bool operator==(const TimedClip&) const = default;
};

struct Performance {
    // The configured sound's program changes at 0, then every message of the playing.
    std::vector<TimedMessage> messages;
    std::vector<TimedClip> clips;
    long endMs = 0;  // when the engine stopped: the end of the last note
};

// Plays the whole song from its first note to its end, without lead-in or repeats, at the song's
// tempo, and returns every message the device would have received and every clip the wave
// player would have started. The window's own state, the device and the clips are not touched.
Performance recordPerformance(const Guitar& g);

// The messages of recordPerformance.
std::vector<TimedMessage> collectPerformance(const Guitar& g);

// The bytes of a format 0 Standard MIDI File with one delta tick per millisecond.
std::vector<std::uint8_t> midiFileBytes(const std::vector<TimedMessage>& messages);

// Writes midiFileBytes to path as saves write songs: an old file is replaced only by a whole one.
WriteResult writeMidiFile(const std::string& path, const std::vector<TimedMessage>& messages);

// Ticks per quarter note of the written file; with the file's tempo one tick is 1 ms.
inline constexpr int kMidiFileDivision = 500;
inline constexpr int kMidiFileTempo = 500000;  // microseconds per quarter note

}  // namespace lutavo
