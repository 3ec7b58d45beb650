// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a fret code in noteFret means. Every reader of the note arrays asks these, so a code has
// one meaning everywhere: on the page, on the neck and in the MIDI stream.

#include "song/song_model.h"

namespace lutavo {

// A fret struck on this note: 0 (open) .. 23.
constexpr bool isStruck(int fret) {
    return fret >= 0 && fret <= kHighestFret;
}

// A note struck earlier that keeps sounding: the fret plus kHeldBase.
constexpr bool isHeld(int fret) {
    return fret >= kHeldBase && fret < 2 * kHeldBase;
}

// The code of a note struck earlier at `fret` (0..23) that keeps sounding.
constexpr int heldCode(int fret) {
    return fret + kHeldBase;
}

// The fret a struck or held code stands for.
constexpr int fretOf(int code) {
    return isHeld(code) ? code - kHeldBase : code;
}

// Struck or held: the string has a fret under the finger.
constexpr bool hasFret(int code) {
    return isStruck(code) || isHeld(code);
}

// A position on the neck that has a pitch (0..24).
constexpr bool onNeck(int fret) {
    return fret >= 0 && fret <= 24;
}

// Durations 90..99 are markers (page end, fast-forward stop, line marker), not note lengths.
constexpr bool isMarker(int dur) {
    return dur >= kFirstControlCode;
}

}  // namespace lutavo
