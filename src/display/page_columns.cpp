// SPDX-License-Identifier: GPL-3.0-or-later
// One note column of a drawn page: the chord of up to six strings on the staff and on the
// tablature.

#include <algorithm>

#include "core/guitar.h"
#include "display/column_rules.h"
#include "display/page_draw.h"
#include "display/page_glyphs.h"
#include "song/fret_codes.h"

namespace lutavo {

namespace {

// Pitch range values start at the middle of the staff.
inline constexpr int kMidStaffPitch = 20;

constexpr int tabY(int slot) {
    return 50 - 8 * slot;
}

struct Column {
    int i = 0;
    int x = 0;
    int dur = 0;
    int topPitch = kMidStaffPitch;
    int bottomPitch = kMidStaffPitch;
    int highest = -1;
    int highestSlot = -1;
    bool barHere = false;
    bool isRest = true;
    bool allHeld = true;
    int triplet = 0;  // the triplet length the column is written as, 0 when none
};

void drawBarLine(SongModel& song, DisplayState& display, const PageRun& run, Column& c) {
    if (!countIntoBar(display.barTickCount, c.dur, barLength(song))) return;
    c.barHere = true;
    const int bx = c.x - run.halfGap - 7;
    auto& d = display;
    ink(d, PageSheet::Score, bx, glyph::kStaffTop, PageSheet::Notes, glyph::kBarLineX, 0, 1,
        glyph::kBarLineHeight, RasterOp::And);
    // The tablature's bar line is a piece of its own end line.
    ink(d, PageSheet::Tab, bx, 8, PageSheet::Tab, glyph::kEndLineX, 8, 1, 39, RasterOp::And);
}

// A held note's pitch is that of the struck note drawn last on its string; when none has been
// drawn yet (a page opened first), it is the pitch of the fret it holds.
void ensureHeldPitch(DisplayState& display, TuningState& tuning, int s, int f) {
    auto& p = display.stringPitch[s];
    if (!drawsOnStaff(p)) p = static_cast<i16>(notationPitch(tuning.pitchOf, s, fretOf(f)));
}

void drawTie(DisplayState& display, KeyState& keys, const PageRun& run, const Column& c, int s) {
    const int p = display.stringPitch[s];
    if (!drawsOnStaff(p)) return;
    auto& d = display;
    const int ty = keys.staffY[p] + glyph::kNoteHeight;
    const int from = run.tieStartX[s];
    ink(d, PageSheet::Score, from - 6, ty, PageSheet::Notes, glyph::kTieStartX, glyph::kTieY,
        glyph::kTieWidth, glyph::kTieHeight, RasterOp::And);
    ink(d, PageSheet::Score, c.x - 15, ty, PageSheet::Notes, glyph::kTieEndX, glyph::kTieY,
        glyph::kTieWidth, glyph::kTieHeight, RasterOp::And);
    // The line between the arcs is a piece of the staff's top line.
    const int width = c.x - from - 15;
    if (width > 0)
        ink(d, PageSheet::Score, from + 1, ty + 3, PageSheet::Score, glyph::kTieSourceX,
            glyph::kStaffTop, width, 1, RasterOp::And);
}

void drawFretCell(DisplayState& display, const Column& c, int s, PageSheet sheet, int srcX) {
    ink(display, PageSheet::Tab, c.x - 12, tabY(s), sheet, srcX, 0, glyph::kFretCellWidth,
        glyph::kFretCellHeight, RasterOp::Copy);
}

// Fret numbers are printed as counted from the capo; a number the sheet has no cell for (a fret
// below the capo) leaves the tab line empty.
void drawFretNumber(SongModel& song, DisplayState& display, const Column& c, int s, PageSheet sheet,
                    int fret) {
    const int shown = fret - song.capo;
    if (shown < 0 || shown > glyph::kLastFretCell) return;
    drawFretCell(display, c, s, sheet, glyph::fretCellX(shown));
}

void drawFretAndPitch(Guitar& g, const Column& c, int s, int f) {
    auto& pitch = g.display.stringPitch[s];
    const PageSheet sheet = PageSheet::Frets;
    if (f == kMuted) {
        pitch = static_cast<i16>(notationPitch(g.tuning.pitchOf, s, 0));
        drawFretCell(g.display, c, s, sheet, glyph::kSmallCrossX);
    } else if (f == kBend) {
        pitch = static_cast<i16>(bendPitch(g.song, g.tuning.pitchOf, pitch, c.i, s));
        drawFretCell(g.display, c, s, sheet, glyph::kBendX);
    } else if (isStruck(f)) {
        pitch = static_cast<i16>(notationPitch(g.tuning.pitchOf, s, f));
        drawFretNumber(g.song, g.display, c, s, sheet, f);
    }
}

void widenRange(Column& c, int slot, int p) {
    if (p > c.highest) {
        c.highestSlot = slot;
        c.highest = p;
        c.topPitch = std::max(c.topPitch, p);
    }
    if (p < c.bottomPitch) c.bottomPitch = p;
}

void firstPass(Guitar& g, PageRun& run, Column& c) {
    for (int s = 1; s <= kStrings; ++s) {
        const int f = columnFret(g.song, c.i, s);
        run.shownDur[s] = c.dur;
        if (f == kSilent) {
            run.shownDur[s] = 0;
            continue;
        }
        if (!isHeld(f)) {
            run.shownDur[s] = heldLength(g.song, g.display.barTickCount, c.i, s);
            if (c.triplet > 0 && run.shownDur[s] == c.dur) run.shownDur[s] = c.triplet;
            run.tieStartX[s] = c.x;
        } else {
            ensureHeldPitch(g.display, g.tuning, s, f);
            if (c.barHere || c.allHeld) drawTie(g.display, g.keys, run, c, s);
        }
        drawFretAndPitch(g, c, s, f);
        if (!isHeld(f) || c.allHeld) widenRange(c, s, g.display.stringPitch[s]);
    }
}

void drawSign(KeyState& keys, DisplayState& display, const Column& c, int p) {
    const int pitchClass = p % 12;
    int signX = 0;
    if (keys.accidentalNeeded[pitchClass]) {
        signX = glyph::kFlatX + keys.accidentalGlyph[pitchClass];
    } else if (keys.naturalNeeded[pitchClass]) {
        signX = glyph::kNaturalX;
    } else {
        return;
    }
    ink(display, PageSheet::Score, c.x - 17, keys.staffY[p] + 10, PageSheet::Notes, signX, 0,
        glyph::kSignWidth, glyph::kSignHeight, RasterOp::And);
}

// In a chord only the highest note carries the flags; long values always show in full.
void drawNoteSymbol(Guitar& g, const PageRun& run, const Column& c, int s, int p) {
    const int shown = run.shownDur[s];
    const int width = (shown < glyph::kFullGlyphTicks && s != c.highestSlot) ? glyph::kNoteStemWidth
                                                                             : glyph::kNoteWidth;
    ink(g.display, PageSheet::Score, c.x - 10, g.keys.staffY[p], PageSheet::Notes,
        glyph::noteSymbolX(durationSymbol(g.song, shown)), 0, width, glyph::kNoteHeight,
        RasterOp::And);
}

void drawLargeCross(DisplayState& display, KeyState& keys, const Column& c, int p) {
    ink(display, PageSheet::Score, c.x - 11, keys.staffY[p] + 18, PageSheet::Frets,
        glyph::kLargeCrossX, glyph::kLargeCrossY, glyph::kLargeCrossWidth, glyph::kLargeCrossHeight,
        RasterOp::Copy);
}

void secondPass(Guitar& g, const PageRun& run, const Column& c) {
    for (int s = 1; s <= kStrings; ++s) {
        const int f = columnFret(g.song, c.i, s);
        if (f == kSilent) continue;
        const int p = g.display.stringPitch[s];
        const bool held = isHeld(f);
        if (held && c.allHeld)
            drawFretNumber(g.song, g.display, c, s, PageSheet::HeldFrets, fretOf(f));
        if (!drawsOnStaff(p)) continue;
        if (!held) drawSign(g.keys, g.display, c, p);
        if (!held || c.barHere || c.allHeld) drawNoteSymbol(g, run, c, s, p);
        if (f == kMuted) drawLargeCross(g.display, g.keys, c, p);
    }
}

void drawRest(SongModel& song, DisplayState& display, const Column& c) {
    const int k = durationSymbol(song, c.triplet > 0 ? c.triplet : c.dur);
    ink(display, PageSheet::Score, c.x - 10, glyph::kRestY, PageSheet::Notes, glyph::restX(k), 0,
        glyph::kRestWidth, glyph::kRestHeight, RasterOp::And);
}

// The stems of a held chord joined by one vertical line.
void drawChordJoiner(DisplayState& display, const Column& c) {
    if (!c.allHeld || c.topPitch <= kMidStaffPitch || c.bottomPitch >= kMidStaffPitch) return;
    ink(display, PageSheet::Score, c.x - 4, 95 - c.topPitch, PageSheet::Tab, glyph::kEndLineX, 10,
        1, c.topPitch - c.bottomPitch + 10, RasterOp::And);
}

void drawTripletMark(DisplayState& display, const Column& c) {
    if (c.triplet == 0) return;
    ink(display, PageSheet::Score, c.x - 11, 85 - c.topPitch, PageSheet::Frets, glyph::kTripletX, 0,
        glyph::kTripletWidth, glyph::kTripletHeight, RasterOp::Copy);
}

}  // namespace

void drawColumn(Guitar& g, PageRun& run, int i) {
    Column c;
    c.i = i;
    c.x = g.song.noteX[i];
    c.dur = g.song.noteDur[i];
    c.triplet = tripletLength(g.song, i);
    // Markers of the player (fast-forward stops, line markers) take no room in time.
    if (c.dur >= kFirstControlCode) return;

    drawBarLine(g.song, g.display, run, c);
    for (int s = 1; s <= kStrings; ++s) {
        const int f = columnFret(g.song, i, s);
        if (f != kSilent) c.isRest = false;
        if (!isHeld(f)) c.allHeld = false;
    }
    firstPass(g, run, c);
    if (!c.isRest) secondPass(g, run, c);
    if (c.isRest && i <= g.song.noteCount) {
        drawRest(g.song, g.display, c);
    } else {
        drawLedgerLines(g.display, c.x, c.topPitch, c.bottomPitch);
    }
    drawChordJoiner(g.display, c);
    drawTripletMark(g.display, c);
}

}  // namespace lutavo
