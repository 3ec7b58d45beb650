#include "playback/shownote.h"

#include "core/guitar.h"
#include "display/neck_markers.h"
#include "display/scrolling.h"
#include "playback/note_midi.h"
#include "song/fret_codes.h"
#include "song/song_model.h"

namespace lutavo {

namespace {

// First pass: every string's old note ends, keeps sounding (held) or bends up.
void releaseStrings(Guitar& g, int n) {
    for (int s = 1; s <= kStrings; ++s) {
        const int f = g.song.noteFret(n, s);
        if (f == kBend) {
            drawBendMarker(g, s);
        } else if (isHeld(f)) {
            drawHeldMarker(g, s, f - kHeldBase);
        }
        releaseString(g, s, f);
    }
}

// Second pass: the struck and muted strings, after every old note has ended.
void strikeStrings(Guitar& g, int n, int mode) {
    for (int s = 1; s <= kStrings; ++s) {
        const int f = g.song.noteFret(n, s);
        if (isStruck(f)) {
            drawStruckMarker(g, s, f);
        } else if (f == kMuted) {
            drawMutedMarker(g, s);
        } else {
            continue;
        }
        g.display.lastFret[s] = static_cast<i16>(f);
        if (mode == 1) strikeString(g, s, f);
    }
}

}  // namespace

void shownote(Guitar& g, int mode) {
    shownotePosition(g);
    refreshNeck(g);
    sendBendCentre(g);
    const int n = g.transport.curNote;
    // Only note slots carry fret codes; a position outside them shows and sounds nothing.
    if (n >= -2 && n <= kMaxNotes + 2) {
        releaseStrings(g, n);
        strikeStrings(g, n, mode);
    }
    shownoteCounter(g);
}

}  // namespace lutavo
