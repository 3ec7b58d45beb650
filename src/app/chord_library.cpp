// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chord_library.h"

#include <vector>

#include "app/library_page.h"
#include "app/scale_library.h"
#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "theory/chord_types.h"
#include "theory/voicing_search.h"

namespace lutavo {

namespace {

constexpr int kWholeNote = 64;

Menu rootMenu(const char* caption, const char* suffix) {
    Menu m;
    m.caption = caption;
    for (const MenuRoot& root : menuRoots()) {
        MenuItem item;
        item.caption = std::string(root.name) + suffix;
        m.items.push_back(item);
    }
    return m;
}

// The type of strip cell `cell`: its degrees, the semitones of each degree as its formula
// reads, its formula, function and name.
void chooseChordType(LibraryState& library, WindowControls& ui, int cell) {
    auto& lib = library;
    const ChordType& type = chordType(cell);
    lib.chordType = static_cast<i16>(cell);
    const std::vector<int> semitones = formulaSemitones(type.formula);
    constexpr int kMajorScale[] = {0, 2, 4, 5, 7, 9, 11, 12};
    for (int d = 1; d <= 8; ++d)
        lib.degreeSemitones[d] = static_cast<i16>(kMajorScale[d - 1]);
    for (int d = 1; d <= 6; ++d) {
        const int degree = type.degrees[static_cast<std::size_t>(d - 1)];
        lib.chordDegrees[d] = static_cast<i16>(degree);
        if (degree >= 1 && static_cast<std::size_t>(d) <= semitones.size())
            lib.degreeSemitones[degree] =
                static_cast<i16>(semitones[static_cast<std::size_t>(d - 1)]);
    }
    ui.txtsiinfo.text = type.formula;
    ui.txtsicomp.text = type.function;
    lib.chordTypeName = type.name;
}

// The semitones the search looks for, in formula order.
std::vector<int> chordTones(const LibraryState& lib) {
    std::vector<int> tones;
    for (int d = 1; d <= 6 && lib.chordDegrees[d] >= 1; ++d)
        tones.push_back(lib.degreeSemitones[lib.chordDegrees[d]]);
    return tones;
}

void chordStrip_MouseDown(Guitar& g, double x) {
    const int cell = pressStripCell(g, x, kChordCellTwips, kChordTypeCount);
    if (cell == 0) return;
    chooseChordType(g.library, g.ui, cell);
    loadchords(g, g.library.chordRootSel);
}

}  // namespace

void setupLibraries(LibraryState& library, WindowControls& ui) {
    for (int i = 0; i < kMenuRoots; ++i) {
        const MenuRoot& root = menuRoots()[static_cast<std::size_t>(i)];
        library.chordRoot[i] = static_cast<i16>(root.pitchClass);
        library.chordKey[i] = static_cast<i16>(root.key);
    }
    ui.mnuchords = rootMenu("Chord", " Chords");
    ui.mnuscales = rootMenu("Scale", " Scales");
}

void mnuchord_Click(Guitar& g, int index) {
    if (index < 0 || index >= kMenuRoots) return;
    auto& lib = g.library;
    g.app.appMode = kModeChords;
    checkOnly(g.ui.mnuchords, index);
    checkOnly(g.ui.mnuscales, -1);
    openStrip(g, files::kChordTypes, kChordTypeCount, 0);
    showLibraryPageArea(g);
    lib.chordKeySel = lib.chordKey[index];
    lib.chordRootSel = lib.chordRoot[index];
    chooseChordType(g.library, g.ui, 1);
    loadchords(g, lib.chordRootSel);
}

void pagepic_MouseDown(Guitar& g, int, int, double x, double) {
    if (g.app.appMode == kModeChords) chordStrip_MouseDown(g, x);
    if (g.app.appMode == kModeScales) scaleStrip_MouseDown(g, x);
}

void loadchords(Guitar& g, int root) {
    auto& lib = g.library;
    beginLibraryPage(g, lib.chordKeySel, kChordPageHeight);
    const std::vector<int> tones = chordTones(lib);
    const std::vector<int> needed = formulaSemitones(chordType(lib.chordType).needs);
    const std::vector<ChordShape> shapes =
        findVoicings(root, tones, needed, g.tuning.pitchOf, g.song.capo);
    int n = 0;
    for (const ChordShape& shape : shapes)
        storeLibraryNote(g.song, ++n, kWholeNote, shape);
    const LibraryTones spelled{root, chordType(lib.chordType).formula};
    finishLibraryPage(g, n, spelled, [&g, root, n] {
        const LibraryState& chosen = g.library;
        const std::string name = g.keys.noteName[clampTo(root, 0, 11)];
        LibraryCaptions captions;
        captions.song = name + " Chords";
        captions.window = std::string(kProgramTitle) + " - Chord Library";
        captions.title = name + " " + chosen.chordTypeName + " Chords";
        // An empty page says why it is empty rather than what the chord is for.
        captions.right =
            n > 0 ? "Harmonic function: " + g.ui.txtsicomp.text : "No shape found in this tuning";
        captions.closeTip = "Close Chords";
        return captions;
    });
}

}  // namespace lutavo
