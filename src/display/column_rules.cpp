// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/column_rules.h"

#include <algorithm>

#include "display/page_draw.h"
#include "song/fret_codes.h"

namespace lutavo {

namespace {

// The notation pitch is the string pitch plus this (the open low E is pitch 5, counted from C).
inline constexpr int kNotationOffset = 5;

}  // namespace

int columnFret(const SongModel& song, int i, int s) {
    const int f = song.noteFret(i, s);
    if (f == kBend || f == kMuted || isStruck(f) || isHeld(f)) return f;
    return kSilent;
}

int notationPitch(const PitchTable& pitchOf, int slot, int fret) {
    return pitchOf(slot, fret) + kNotationOffset;
}

int bendPitch(const SongModel& song, const PitchTable& pitchOf, int last, int i, int s) {
    const int before = columnFret(song, i - 1, s);
    if (isStruck(before)) return notationPitch(pitchOf, s, before) + 1;
    if (isHeld(before)) return notationPitch(pitchOf, s, fretOf(before)) + 1;
    if (before == kBend) return last;  // a bend that goes on stays at the bent pitch
    return (drawsOnStaff(last) ? last : notationPitch(pitchOf, s, 0)) + 1;
}

int tripletLength(const SongModel& song, int i) {
    const auto& dur = song.noteDur;
    for (const int t : {5, 11}) {
        const int rounding = t == 5 ? 6 : 10;
        if (dur[i] == t || (dur[i] == rounding && i >= 2 && dur[i - 1] == t && dur[i - 2] == t))
            return t;
    }
    return 0;
}

int barLength(const SongModel& song) {
    const int t = activeTimeSig(song);
    return t == 0 ? 0 : song.barTicks[t];
}

bool countIntoBar(i16& count, int dur, int bar) {
    if (bar == 0) return false;
    count = clampInt16(count + dur);
    if (count <= bar) return false;
    count = static_cast<i16>(dur);
    return true;
}

int heldLength(const SongModel& song, int barCount, int i, int s) {
    const int bar = barLength(song);
    const int last = std::min<int>(song.noteCount, decltype(song.noteDur)::upper);
    const int dur = song.noteDur[i];
    int total = dur;
    for (int j = i + 1; j <= last; ++j) {
        if (!isHeld(columnFret(song, j, s))) break;
        const int d = song.noteDur[j];
        if (d >= kFirstControlCode) break;
        if (bar > 0 && barCount - dur + total + d > bar) break;
        total += d;
    }
    return std::min(total, kMaxShownTicks);
}

}  // namespace lutavo
