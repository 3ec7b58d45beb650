// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/neck_markers.h"

#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/glyph_layout.h"
#include "display/picture_files.h"
#include "song/fret_codes.h"

namespace lutavo {

namespace {

constexpr std::size_t kMarksKept = 256;
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

bool namesShown(const ConfigState& config) {
    return config.showFretNoteNames != 0;
}

const Picture& sheetOf(const NeckPictures& p, NeckMark::Sheet sheet) {
    switch (sheet) {
        case NeckMark::Sheet::Fingers:
            return p.picfingers;
        case NeckMark::Sheet::FingersHeld:
            return p.Picfingx;
        case NeckMark::Sheet::KeyDown:
            break;
    }
    return p.keydown;
}

// Copies the mark's cell onto the pictures, every number times their scale.
void copyMark(NeckPictures& p, const NeckMark& m, int s) {
    Picture& into = m.onKeyboard ? p.keyboard : p.fretboard;
    into.blit(m.x * s, m.y * s, sheetOf(p, m.sheet), m.cellX * s, m.cellY * s, m.width * s,
              m.height * s, RasterOp::Copy);
}

void putMark(NeckState& neck, const NeckMark& m) {
    auto& n = neck;
    copyMark(n, m, 1);
    if (n.fineScale > 1) copyMark(n.fine, m, n.fineScale);
    // A refresh comes with every note; the bound only guards a caller that never refreshes.
    if (n.marks.size() < kMarksKept) n.marks.push_back(m);
}

// Copies the 12 x 12 cell (cellX, cellY) of a marker sheet onto the neck at fret, on the slot's
// row.
void putMarker(DisplayState& display, NeckState& neck, NeckMark::Sheet sheet, int cellX, int cellY,
               int fret, int slot, int drop) {
    const auto& d = display;
    putMark(neck, {sheet, false, d.fretMarkerX[fret], d.stringY[slot] + drop, cellX, cellY,
                   glyph::kMarker, glyph::kMarker});
}

// Lights the key of notation pitch index `key` with the pressed-key glyph of its pitch class.
void pressKey(AppState& app, NeckState& neck, int key) {
    const auto& a = app;
    if (!FixedArray<i16, 1, 60>::contains(key)) return;  // beyond the five octaves shown
    putMark(neck,
            {NeckMark::Sheet::KeyDown, true, a.keyX[key], a.keyKind[key],
             pitchClass(key - 1) * glyph::kKeyCell, 0, glyph::kKeyCell, glyph::kKeyDownHeight});
}

void restorePictures(NeckPictures& p) {
    restore(p.fretboard, p.plainNeck);
    restore(p.keyboard, p.plainKeyboard);
}

// The marker and keyboard sheets of one scale; false when one cannot be read.
bool loadSheets(Guitar& g, NeckPictures& p, int scale) {
    const std::string& folder = g.app.appFolder;
    bool ok = true;
    const std::pair<const char*, Picture*> sheets[] = {{files::kKeyboard, &p.plainKeyboard},
                                                       {files::kFingers, &p.picfingers},
                                                       {files::kFingersHeld, &p.Picfingx},
                                                       {files::kKeyDown, &p.keydown}};
    for (const auto& [name, into] : sheets)
        ok = loadPictureFile(g, scaledPictureName(folder + name, scale), *into) && ok;
    return ok;
}

// The name cell of a pitch counted from E, and the row of its spelling (sharp or flat).
int nameCellX(int pitch) {
    return pitchClass(pitch) * glyph::kMarker;
}
int nameRow(const KeyState& keys, int pitch) {
    return keys.nameGlyphOffset[pitchClass(pitch)];
}

void drawSoundingMarker(Guitar& g, NeckMark::Sheet sheet, int slot, int fret, int namelessY) {
    if (!onNeck(fret)) return;
    const int p = g.tuning.pitchOf(slot, fret);
    if (namesShown(g.config)) {
        putMarker(g.display, g.neck, sheet, nameCellX(p), nameRow(g.keys, p), fret, slot, 0);
    } else {
        putMarker(g.display, g.neck, sheet, glyph::kMarkerCrossX, namelessY, fret, slot, 0);
    }
    // Notation pitch p + 5 counts from C; key index 1 is the lowest C.
    pressKey(g.app, g.neck, p + 5);
}

}  // namespace

void loadNeckSheets(Guitar& g) {
    auto& n = g.neck;
    if (n.sheetsLoaded) return;
    n.sheetsLoaded = true;
    loadSheets(g, n, 1);
    restore(n.keyboard, n.plainKeyboard);
}

void refreshNeck(NeckState& neck) {
    auto& n = neck;
    restorePictures(n);
    if (n.fineScale > 1) restorePictures(n.fine);
    n.marks.clear();
}

bool useFineNeck(Guitar& g, int scale) {
    auto& n = g.neck;
    const auto drop = [&n] {
        n.fineScale = 1;
        n.fine = NeckPictures{};
    };
    if (scale <= 1) {
        drop();
        return true;
    }
    // The sheets of a scale are read once however often the neck is set up, the neck again
    // only for the other hand.
    if (n.fineScale != scale) {
        drop();
        if (!loadSheets(g, n.fine, scale)) {
            drop();
            return false;
        }
    }
    const std::string neckFile = scaledPictureName(g.ui.fretboard.file, scale);
    if (n.fine.plainNeck.source != neckFile && !loadPictureFile(g, neckFile, n.fine.plainNeck)) {
        drop();
        return false;
    }
    n.fineScale = scale;
    restorePictures(n.fine);
    for (const NeckMark& m : n.marks)
        copyMark(n.fine, m, scale);
    return true;
}

void drawStruckMarker(Guitar& g, int slot, int fret) {
    drawSoundingMarker(g, NeckMark::Sheet::Fingers, slot, fret, glyph::kMarkerCrossY);
}

void drawHeldMarker(Guitar& g, int slot, int fret) {
    drawSoundingMarker(g, NeckMark::Sheet::FingersHeld, slot, fret, glyph::kMarkerPlainY);
}

void drawBendMarker(Guitar& g, int slot) {
    const int fret = g.display.lastFret[slot];
    if (!onNeck(fret)) return;  // nothing struck on the string to bend
    const int p = g.tuning.pitchOf(slot, fret);
    if (namesShown(g.config)) {
        putMarker(g.display, g.neck, NeckMark::Sheet::Fingers, nameCellX(p + 1),
                  nameRow(g.keys, p + 1), fret, slot, kBendDrop);
    } else {
        putMarker(g.display, g.neck, NeckMark::Sheet::Fingers, glyph::kMarkerCrossX,
                  glyph::kMarkerPlainY, fret, slot, kBendDrop);
    }
    pressKey(g.app, g.neck, p + 6);
}

void drawMutedMarker(Guitar& g, int slot) {
    putMarker(g.display, g.neck, NeckMark::Sheet::Fingers, glyph::kMarkerCrossX,
              glyph::kMarkerCrossY, 0, slot, 0);
}

}  // namespace lutavo
