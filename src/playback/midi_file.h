// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A performance as a device and the wave player receive it: every short message and every click
// with its time; a Standard MIDI File holds the messages.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/safe_file.h"

namespace lutavo {

struct Performance;

struct TimedMessage {
    long timeMs;  // from the start of the play
    std::uint32_t message;
    bool operator==(const TimedMessage&) const = default;
};

// A wave clip (the metronome's click) started, with its path.
struct TimedClip {
    long timeMs;
    std::string path;
    bool operator==(const TimedClip&) const = default;
};

struct SoundRecording {
    // The sound's program changes at 0, then every message of the play.
    std::vector<TimedMessage> messages;
    std::vector<TimedClip> clips;
    long endMs = 0;  // the end of the last note
};

// The messages and clicks of a performance, each click played from clickClip (none without one).
SoundRecording recordingOf(const Performance& performance,
                           const std::optional<std::string>& clickClip);

// The bytes of a format 0 Standard MIDI File with one delta tick per millisecond.
std::vector<std::uint8_t> midiFileBytes(const std::vector<TimedMessage>& messages);

// Writes midiFileBytes to path as saves write songs: an old file is replaced only by a whole one.
WriteResult writeMidiFile(const std::string& path, const std::vector<TimedMessage>& messages);

// Ticks per quarter note of the written file; with the file's tempo one tick is 1 ms.
inline constexpr int kMidiFileDivision = 500;
inline constexpr int kMidiFileTempo = 500000;  // microseconds per quarter note

}  // namespace lutavo
