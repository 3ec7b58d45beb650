// SPDX-License-Identifier: GPL-3.0-or-later
#include "listen/expected_notes.h"

namespace lutavo {

namespace {

constexpr int kPercussionChannel = 9;

// The MIDI note a message strikes, or -1 for any other message.
int struckPitch(const PerformanceEvent& e) {
    if (e.kind != EventKind::Message) return -1;
    const unsigned status = e.message & 0xFFu;
    const unsigned pitch = (e.message >> 8) & 0x7Fu;
    const unsigned velocity = (e.message >> 16) & 0x7Fu;
    const bool noteOn = (status & 0xF0u) == 0x90u && velocity > 0;
    if (!noteOn || static_cast<int>(status & 0x0Fu) == kPercussionChannel) return -1;
    return static_cast<int>(pitch);
}

PitchClassSet classBit(int pitch) {
    return static_cast<PitchClassSet>(1u << static_cast<unsigned>(pitch % 12));
}

}  // namespace

PitchClassSet classesOf(std::initializer_list<int> pitches) {
    PitchClassSet set = 0;
    for (int p : pitches)
        set |= classBit(p);
    return set;
}

std::vector<ExpectedNote> expectedNotes(const Performance& play) {
    std::vector<ExpectedNote> notes;
    // The note being struck: a new one starts at each tick's first note-on of another note.
    long tick = -1;
    int note = -1;
    for (const PerformanceEvent& e : play.events) {
        const int pitch = struckPitch(e);
        if (pitch < 0 || e.note < 1) continue;
        if (e.tick != tick || e.note != note) {
            tick = e.tick;
            note = e.note;
            notes.push_back({note, e.timeMs, 0});
        }
        notes.back().classes |= classBit(pitch);
    }
    return notes;
}

}  // namespace lutavo
