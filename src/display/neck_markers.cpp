#include "display/neck_markers.h"

#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/glyph_layout.h"
#include "display/picture_files.h"
#include "song/fret_codes.h"

namespace lutavo {

namespace {

constexpr int kBendDrop = 4;  // a bend marker sits this far below the string's row

// Copies the plain picture over the shown one, taking its size when they differ.
void restore(Picture& shown, const Picture& plain) {
    if (shown.width() != plain.width() || shown.height() != plain.height()) {
        shown.resize(plain.width(), plain.height());
    }
    shown.blitAll(0, 0, plain, RasterOp::Copy);
}

int pitchClass(int v) {
    return ((v % 12) + 12) % 12;
}

bool namesShown(const Guitar& g) {
    return g.config.showFretNoteNames != 0;
}

// Copies the 12 x 12 cell (cellX, cellY) of sheet onto the neck at fret, on the slot's row.
void putMarker(Guitar& g, const Picture& sheet, int cellX, int cellY, int fret, int slot,
               int drop) {
    const auto& d = g.display;
    g.neck.fretboard.blit(d.fretMarkerX[fret], d.stringY[slot] + drop, sheet, cellX, cellY,
                          glyph::kMarker, glyph::kMarker, RasterOp::Copy);
}

// Lights the key of notation pitch index `key` with the pressed-key glyph of its pitch class.
void pressKey(Guitar& g, int key) {
    const auto& a = g.app;
    if (!FixedArray<i16, 1, 60>::contains(key)) return;  // beyond the five octaves shown
    const int cell = pitchClass(key - 1) * glyph::kKeyCell;
    g.neck.keyboard.blit(a.keyX[key], a.keyKind[key], g.neck.keydown, cell, 0, glyph::kKeyCell,
                         glyph::kKeyDownHeight, RasterOp::Copy);
}

// The name cell of a pitch counted from E, in the spelling of the song's key.
int nameCellX(int pitch) {
    return pitchClass(pitch) * glyph::kMarker;
}

void drawSoundingMarker(Guitar& g, const Picture& sheet, int slot, int fret, int namelessY) {
    if (!onNeck(fret)) return;
    const int p = g.tuning.pitchOf(slot, fret);
    if (namesShown(g)) {
        putMarker(g, sheet, nameCellX(p), g.keys.nameGlyphOffset, fret, slot, 0);
    } else {
        putMarker(g, sheet, glyph::kMarkerCrossX, namelessY, fret, slot, 0);
    }
    // Notation pitch p + 5 counts from C; key index 1 is the lowest C.
    pressKey(g, p + 5);
}

}  // namespace

void loadNeckSheets(Guitar& g) {
    auto& n = g.neck;
    if (n.sheetsLoaded) return;
    n.sheetsLoaded = true;
    const std::string& folder = g.app.appFolder;
    loadPictureFile(g, folder + files::kKeyboard, n.plainKeyboard);
    loadPictureFile(g, folder + files::kFingers, n.picfingers);
    loadPictureFile(g, folder + files::kFingersHeld, n.Picfingx);
    loadPictureFile(g, folder + files::kKeyDown, n.keydown);
    restore(n.keyboard, n.plainKeyboard);
}

void refreshNeck(Guitar& g) {
    auto& n = g.neck;
    restore(n.fretboard, n.plainNeck);
    restore(n.keyboard, n.plainKeyboard);
}

void drawStruckMarker(Guitar& g, int slot, int fret) {
    drawSoundingMarker(g, g.neck.picfingers, slot, fret, glyph::kMarkerCrossY);
}

void drawHeldMarker(Guitar& g, int slot, int fret) {
    drawSoundingMarker(g, g.neck.Picfingx, slot, fret, glyph::kMarkerPlainY);
}

void drawBendMarker(Guitar& g, int slot) {
    const int fret = g.display.lastFret[slot];
    if (!onNeck(fret)) return;  // nothing struck on the string to bend
    const int p = g.tuning.pitchOf(slot, fret);
    if (namesShown(g)) {
        putMarker(g, g.neck.picfingers, nameCellX(p + 1), g.keys.nameGlyphOffset, fret, slot,
                  kBendDrop);
    } else {
        putMarker(g, g.neck.picfingers, glyph::kMarkerCrossX, glyph::kMarkerPlainY, fret, slot,
                  kBendDrop);
    }
    pressKey(g, p + 6);
}

void drawMutedMarker(Guitar& g, int slot) {
    putMarker(g, g.neck.picfingers, glyph::kMarkerCrossX, glyph::kMarkerCrossY, 0, slot, 0);
}

}  // namespace lutavo
