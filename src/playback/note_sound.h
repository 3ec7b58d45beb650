// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MIDI messages that present one note: the bend returns to the centre, every string's old
// note ends (or keeps sounding, or bends), then every struck string sounds. A chord thus stops
// all its old notes before the new ones start.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/fixed_array.h"
#include "core/playback_state.h"
#include "core/tuning_state.h"
#include "song/song_model.h"

namespace lutavo {

// One message of a presented note; slot is the string of a note-on or -off, 0 otherwise.
struct NoteMessage {
    std::uint32_t message = 0;
    int slot = 0;
};

// The messages of one note, in the order they go out: at most the bend centre, a release and a
// strike with its damping for every string.
struct NoteMessages {
    std::array<NoteMessage, 1 + 3 * kStrings> items;
    int count = 0;

    const NoteMessage* begin() const { return items.data(); }
    const NoteMessage* end() const { return items.data() + count; }
};

// The messages that present frets: with strike false only the bend centre and the note-offs
// (the note is shown, not sounded); without frets (a position outside the note slots) the bend
// centre alone. Updates sounding with the notes struck.
NoteMessages noteMessages(const std::optional<StringFrets>& frets, const SoundSettings& sound,
                          const PitchTable& pitchOf, SoundingNotes& sounding, bool strike);

// The note-offs of the strings frets would carry on from before them (held or bent): a loop's
// first note starts afresh on every pass. Clears them in sounding.
NoteMessages releaseCarried(const std::optional<StringFrets>& frets, const SoundSettings& sound,
                            SoundingNotes& sounding);

// The frets of note slot n; nothing outside the note slots.
std::optional<StringFrets> fretsAt(const SongModel& song, int n);

// The two program changes that set the sound up on a device: the sound's own, and a fixed
// second one that every opening sends.
std::vector<std::uint32_t> programChanges(const SoundSettings& sound);

}  // namespace lutavo
