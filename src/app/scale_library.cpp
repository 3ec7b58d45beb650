// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scale_library.h"

#include <vector>

#include "app/library_page.h"
#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "theory/chord_types.h"
#include "theory/keys.h"
#include "theory/scale_fingering.h"

namespace lutavo {

namespace {

// Quarter notes, so a student can play along at the song's tempo.
constexpr int kScaleNoteTicks = 16;

// Each position on a page of its own, one slot per note sounding on its own string. Returns the
// number of slots used; positions that find no room are left out.
int storePositions(Guitar& g, const std::vector<ScalePosition>& positions) {
    int n = 0;
    for (const ScalePosition& position : positions) {
        if (n > 0 && !breakLibraryPage(g.song, g.transport, ++n)) return n - 1;
        for (const ScaleNote& note : position.notes) {
            if (n + 1 >= kMaxNotes) return n;
            StringFrets frets;
            frets.fill(kSilent);
            frets[static_cast<std::size_t>(note.slot - 1)] = static_cast<i16>(note.fret);
            storeLibraryNote(g.song, ++n, kScaleNoteTicks, frets);
        }
    }
    return n;
}

// "Position 3 of 7, frets 4-7" for each page, the frets counted from the capo as the tablature
// prints them.
std::vector<std::string> positionCaptions(const std::vector<ScalePosition>& positions, int capo) {
    if (positions.empty()) return {"No position found in this tuning"};
    std::vector<std::string> captions;
    const std::string count = std::to_string(positions.size());
    for (const ScalePosition& p : positions) {
        const int first = p.start - capo;
        captions.push_back("Position " + std::to_string(captions.size() + 1) + " of " + count +
                           ", frets " + std::to_string(first) + "-" +
                           std::to_string(first + kScaleWindowFrets - 1));
    }
    return captions;
}

}  // namespace

void mnuscale_Click(Guitar& g, int index) {
    if (index < 0 || index >= kMenuRoots) return;
    auto& lib = g.library;
    g.app.appMode = kModeScales;
    checkOnly(g.ui.mnuscales, index);
    checkOnly(g.ui.mnuchords, -1);
    openStrip(g, files::kScaleTypes, kScaleTypeCount, lib.scaleType - 1);
    showScalePageArea(g);
    lib.scaleKeySel = lib.chordKey[index];
    lib.scaleRootSel = lib.chordRoot[index];
    loadscales(g, lib.scaleRootSel);
}

void scaleStrip_MouseDown(Guitar& g, double x) {
    const int cell = pressStripCell(g, x, kScaleCellTwips, kScaleTypeCount);
    if (cell == 0) return;
    g.library.scaleType = static_cast<i16>(cell);
    loadscales(g, g.library.scaleRootSel);
}

void loadscales(Guitar& g, int root) {
    const ScaleType& type = scaleType(g.library.scaleType);
    beginLibraryPage(g, g.library.scaleKeySel, kScalePageHeight);
    const std::vector<int> tones = formulaSemitones(type.formula);
    const std::vector<ScalePosition> positions =
        findScalePositions(root, tones, g.tuning.pitchOf, g.song.capo);
    const int n = storePositions(g, positions);
    g.display.pageCaptions = positionCaptions(positions, g.song.capo);
    g.display.pageCaptions.resize(static_cast<std::size_t>(g.transport.curPage));
    finishLibraryPage(g, n, {root, type.formula}, [&g, &type, root] {
        const std::string name = noteNameOf(g.keys, root);
        LibraryCaptions captions;
        captions.song = name + " Scales";
        captions.window = std::string(kProgramTitle) + " - Scale Library";
        captions.title = name + " " + type.name + " Scale";
        captions.right = g.display.pageCaptions.front();
        captions.closeTip = "Close Scales";
        return captions;
    });
}

}  // namespace lutavo
