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

// Every note of every position, one slot each, sounding on its own string.
int storePositions(Guitar& g, const std::vector<ScalePosition>& positions) {
    int n = 0;
    for (const ScalePosition& position : positions) {
        for (const ScaleNote& note : position.notes) {
            if (n + 1 >= kMaxNotes) return n;
            StringFrets frets;
            frets.fill(kSilent);
            frets[static_cast<std::size_t>(note.slot - 1)] = static_cast<i16>(note.fret);
            storeLibraryNote(g, ++n, kScaleNoteTicks, frets);
        }
    }
    return n;
}

std::string positionCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " position" : " positions");
}

}  // namespace

void mnuscale_Click(Guitar& g, int index) {
    if (index < 0 || index >= kMenuRoots) return;
    auto& lib = g.library;
    g.app.appMode = kModeScales;
    checkOnly(g.ui.mnuscales, index);
    checkOnly(g.ui.mnuchords, -1);
    openStrip(g, files::kScaleTypes, kScaleTypeCount, lib.scaleType - 1);
    showLibraryPageArea(g);
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
    beginLibraryPage(g, g.library.scaleKeySel);
    const std::vector<int> tones = formulaSemitones(type.formula, PlainSeventh::Major);
    const std::vector<ScalePosition> positions =
        findScalePositions(root, tones, g.tuning.pitchOf, g.song.capo);
    const int n = storePositions(g, positions);
    finishLibraryPage(g, n, [&g, &type, root, count = positions.size()] {
        const std::string name = noteNameOf(g.keys, root);
        LibraryCaptions captions;
        captions.song = name + " Scales";
        captions.window = std::string(kProgramTitle) + " - Scale Library";
        captions.title = name + " " + type.name + " Scale";
        captions.left = type.formula;
        captions.right = positionCount(count);
        captions.closeTip = "Close Scales";
        return captions;
    });
}

}  // namespace lutavo
