// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/shownote.h"

#include "core/guitar.h"
#include "display/neck_markers.h"
#include "display/scrolling.h"
#include "song/fret_codes.h"
#include "song/song_model.h"

namespace lutavo {

namespace {

// First the strings that go on sounding (held, or bent up from the note before), then the ones
// struck anew, as the note's sound takes them.
void markHeldStrings(Guitar& g, int n) {
    for (int s = 1; s <= kStrings; ++s) {
        const int f = g.song.noteFret(n, s);
        if (f == kBend) {
            drawBendMarker(g, s);
        } else if (isHeld(f)) {
            drawHeldMarker(g, s, fretOf(f));
        }
    }
}

void markStruckStrings(Guitar& g, int n) {
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
    }
}

}  // namespace

void shownote(Guitar& g, int n) {
    placeNotePointer(g.song, g.ui, n);
    pointLengthScale(g, n);
    refreshNeck(g.neck);
    // Only note slots carry fret codes; a position outside them shows nothing on the neck.
    if (decltype(g.song.noteX)::contains(n)) {
        markHeldStrings(g, n);
        markStruckStrings(g, n);
    }
    shownoteCounter(g, n);
}

void moveLinePointer(WindowControls& ui, int line) {
    ui.vpointer.at.top = line * kLineMarkerStep;
}

void showPageOf(Guitar& g, int page) {
    pgScroll_Scroll(g, page);
    // With one page the scroll bar keeps its value and nothing is redrawn; the page shown is
    // still the current page.
    g.transport.curPage = static_cast<i16>(g.ui.pgScroll.value);
}

}  // namespace lutavo
