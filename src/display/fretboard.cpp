// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/fretboard.h"

#include <array>

#include "core/data_files.h"
#include "core/guitar.h"
#include "display/glyph_layout.h"
#include "display/neck_markers.h"
#include "display/picture_files.h"

namespace lutavo {

namespace {

// Fret numbers under the neck and their left edges (twips) for a right-handed neck.
constexpr std::array<const char*, 10> kFretCaptions = {"3",  "5",  "7",  "9",  "12",
                                                       "15", "17", "19", "21", "24"};
constexpr std::array<int, 10> kFretLabelLeft = {1935, 3045, 3975, 4765, 5850,
                                                6820, 7425, 8025, 8550, 9160};
// A left-handed neck mirrors the fret labels so that each stays centred under its fret's
// markers: the mirrored neck moves 300 twips left and the markers mirror about 613 pixels.
constexpr int kFretLabelWidth = 690;
constexpr int kFretLabelMirror =
    330 + 30 + (glyph::kLeftHandedMarkerMirror + glyph::kMarker) * 15 - kFretLabelWidth;

struct NeckPlacement {
    // The STANDARD button goes with the string names, away from the high frets' labels.
    int neck, stringLabels, fretText, adjTuning, stringNames, tuneButton;
    const char* picture;
};

constexpr NeckPlacement kRightHanded = {330, 30, 330, 330, 40, 30, files::kNeckRight};
constexpr NeckPlacement kLeftHanded = {30, 9450, 30, 8700, 9460, 8905, files::kNeckLeft};

void fillGeometry(DisplayState& display, bool left) {
    auto& d = display;
    for (int f = 0; f <= 24; ++f) {
        const auto i = static_cast<std::size_t>(f);
        const int edge = glyph::kFretEdgeX[i];
        const int marker = glyph::kFretMarkerX[i];
        d.fretEdgeX[f] = static_cast<i16>(left ? glyph::kLeftHandedEdgeMirror - edge : edge);
        d.fretMarkerX[f] =
            static_cast<i16>(left ? glyph::kLeftHandedMarkerMirror - marker : marker);
    }
    for (int s = 1; s <= 6; ++s)
        d.stringY[s] = glyph::kStringY[static_cast<std::size_t>(s - 1)];
}

void placeFretLabels(WindowControls& ui, bool left) {
    for (int k = 0; k <= 9; ++k) {
        auto& label = ui.lblFret[k];
        const int right = kFretLabelLeft[static_cast<std::size_t>(k)];
        label.caption = kFretCaptions[static_cast<std::size_t>(k)];
        label.at.left = left ? kFretLabelMirror - right : right;
        label.at.width = kFretLabelWidth;
    }
}

void placeNeckPanels(Guitar& g, const NeckPlacement& p) {
    auto& ui = g.ui;
    ui.fretboard.at.left = p.neck;
    ui.pnlStringLabels.at.left = p.stringLabels;
    ui.pnlfrettxt.at.left = p.fretText;
    ui.pnlAdjTuning.at.left = p.adjTuning;
    ui.btntune.at.left = p.tuneButton;
    for (int i = 0; i <= 5; ++i)
        ui.StringName[i].at.left = p.stringNames;
}

void loadNeck(Guitar& g, const char* picture) {
    // The neck is the program's own artwork, whatever folder the songs come from.
    const std::string path = g.app.appFolder + picture;
    g.ui.fretboard.file = path;
    // Every reopen of the sound sets the neck up again: the picture already read stays.
    if (g.neck.plainNeck.source != path) loadPictureFile(g, path, g.neck.plainNeck);
    loadNeckSheets(g);
    refreshNeck(g.neck);
    // The other hand's neck at the finer scale too.
    if (g.neck.fineScale > 1) useFineNeck(g, g.neck.fineScale);
}

}  // namespace

void setfretboard(Guitar& g) {
    const bool left = g.config.leftHanded != 0;
    fillGeometry(g.display, left);
    placeFretLabels(g.ui, left);
    const NeckPlacement& p = left ? kLeftHanded : kRightHanded;
    placeNeckPanels(g, p);
    loadNeck(g, p.picture);
    // The capo sits on its fret of the neck now shown.
    placeCapoPicture(g);
}

void placeCapoPicture(Guitar& g) {
    const int capo = g.song.capo;
    auto& pic = g.ui.piccapo;
    if (capo <= 0 || capo > 24) {
        pic.visible = false;
        return;
    }
    const int marker = g.display.fretMarkerX[capo];
    pic.at.left = g.config.leftHanded != 0 ? marker - capo + 5 : marker + capo - 10;
    pic.visible = true;
}

}  // namespace lutavo
