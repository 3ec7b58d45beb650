// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/note_entry.h"

#include "core/app_state.h"
#include "core/guitar.h"
#include "display/page_render.h"
#include "playback/performer.h"
#include "playback/transport.h"
#include "song/fret_codes.h"
#include "song/song_edit.h"

namespace lutavo {

namespace {

// The strings lie 14 pixels apart, the top one 3 pixels below the picture's edge.
constexpr double kFirstStringY = 3;
constexpr int kStringPitch = 14;

bool onString(int slot) {
    return slot >= 1 && slot <= kStrings;
}

// Frets below the capo do not sound; the neck's last fret, 24, is past what a note can hold.
bool takesFret(const SongModel& s, int fret) {
    return fret >= s.capo && fret <= kHighestFret;
}

// An end-of-page marker or a running playback takes no clicks on the neck.
bool neckTakesClicks(const Guitar& g) {
    const auto& s = g.song;
    if (!s.noteDur.contains(g.transport.curNote) || s.noteDur[g.transport.curNote] >= kEndOfPage)
        return false;
    return !isPlaying(g);
}

// The editor's part of a press: the note gets the chosen length, the same fret again switches
// the string off, and the held continuations after the note follow the new fret.
void enterIntoNote(Guitar& g, int button) {
    auto& s = g.song;
    auto& e = g.editor;
    const int n = g.transport.curNote;
    const int pos = clampTo(g.playback.swapperPos, s.durValue.lower, s.durValue.upper);
    songedit::setLength(s, n, s.durValue[pos]);
    if (s.noteFret(n, e.clickString) == e.clickFret) e.clickFret = kSilent;
    songedit::setStringFollowed(s, n, e.clickString, button == kMouseLeft ? e.clickFret : kMuted);
}

}  // namespace

int stringAtY(double y) {
    const int r = static_cast<int>(roundHalfEven(y - kFirstStringY));
    return kStrings - r / kStringPitch;
}

int fretAtX(const FixedArray<i16, 0, 24>& edges, bool leftHanded, double x) {
    for (int f = edges.lower; f <= edges.upper; ++f) {
        if (leftHanded ? edges[f] < x : x < edges[f]) return f;
    }
    return edges.upper;
}

void noteEntry_MouseDown(Guitar& g, int button, double x, double y) {
    if (!neckTakesClicks(g)) return;
    g.gtimer.enabled = true;
    auto& s = g.song;
    auto& e = g.editor;
    e.clickString = static_cast<i16>(stringAtY(y));
    if (!onString(e.clickString)) return;
    e.clickFret = static_cast<i16>(fretAtX(g.display.fretEdgeX, g.config.leftHanded != 0, x));
    if (!takesFret(s, e.clickFret)) return;

    if (g.app.appMode == kModeEditor) {
        if (!cursorOnEnterableNote(g)) return;
        enterIntoNote(g, button);
    } else {
        if (!e.scratchBorrowed) e.savedCurNote = g.transport.curNote;
        e.scratchBorrowed = true;
        g.transport.curNote = kScratchSlot;
        songedit::setFret(s, kScratchSlot, e.clickString,
                          button == kMouseLeft ? e.clickFret : kMuted);
    }
    presentNote(g, kSound);
}

void noteEntry_MouseUp(Guitar& g) {
    if (!neckTakesClicks(g)) return;
    auto& s = g.song;
    auto& e = g.editor;
    const bool accepted = takesFret(s, e.clickFret) || e.clickFret == kSilent;
    if (!accepted || !onString(e.clickString)) return;
    const bool editor = g.app.appMode == kModeEditor;
    if (editor && g.transport.curNote != kScratchSlot) {
        pgScroll_Change(g);
        return;
    }
    g.transport.curNote = kScratchSlot;
    songedit::setAllFrets(s, kScratchSlot, kSilent);
    presentNote(g, kShowOnly);
    if (!editor) {
        if (e.scratchBorrowed) g.transport.curNote = e.savedCurNote;
        e.scratchBorrowed = false;
    }
}

}  // namespace lutavo
