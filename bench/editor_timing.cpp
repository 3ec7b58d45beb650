// SPDX-License-Identifier: GPL-3.0-or-later
// What each editor command costs on a full song: 998 notes on 29 pages, the page redrawn with
// the program's own pictures. Core time per command (process CPU time), mean over many runs.
//
//   editor_timing [--runs N]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "app/mode_bar.h"
#include "app/neck_entry.h"
#include "cpu_time.h"
#include "editor/editor_commands.h"
#include "fakes/song_builder.h"
#include "fakes/test_rig.h"
#include "services/qt/qt_picture_io.h"

namespace lutavo::bench {
namespace {

std::vector<test::NoteSpec> fullSong() {
    std::vector<test::NoteSpec> notes;
    for (int page = 1; page <= kMaxPages; ++page) {
        const int onPage = page < kMaxPages ? 33 : 998 - 34 * (kMaxPages - 1);
        for (int n = 0; n < onPage; ++n)
            notes.push_back(test::single(8, 1 + n % 6, n % 12));
        if (page < kMaxPages) notes.push_back(test::pageEnd());
    }
    return notes;
}

// Mean core time of one action, each run followed by undo (not timed) to keep the song full.
double measure(Guitar& g, int runs, const std::function<void()>& action, bool undoAfter) {
    double total = 0;
    for (int i = 0; i < runs; ++i) {
        g.transport.curNote = static_cast<i16>(500 + i % 20);
        const double t0 = cpuMicros();
        action();
        total += cpuMicros() - t0;
        if (undoAfter) editorUndo(g);
    }
    return total / runs;
}

}  // namespace
}  // namespace lutavo::bench

int main(int argc, char** argv) {
    using namespace lutavo;
    int runs = 200;
    if (argc == 3 && std::string(argv[1]) == "--runs") runs = std::atoi(argv[2]);
    test::Rig rig;
    QtPictureIO pictures;  // the real glyph sheets, so the page redraw costs what it does
    rig.g().sys.pictures = &pictures;
    rig.defaults();
    setupModeBar(rig.g());
    Guitar& g = rig.g();
    closesong(g);
    modeBarPress(g, kModeBarEdit);
    test::buildSong(g, bench::fullSong());
    g.transport.curPage = 16;
    g.ui.pgScroll.value = 16;
    std::printf("%d notes on %d pages, %d runs each; page sheets %s\n", g.song.noteCount,
                g.ui.pgScroll.max, runs, g.display.picnotes.empty() ? "MISSING" : "loaded");

    struct Step {
        const char* name;
        std::function<void()> action;
        bool undoAfter;
    };
    auto command = [&g](int index) { return [&g, index] { btnsongentry_Click(g, index); }; };
    const Step steps[] = {
        {"INS", command(kEditorIns), true},
        {"DEL", command(kEditorDel), true},
        {"TIE", command(kEditorTie), true},
        {"TRIPLET", command(kEditorTriplet), true},
        {"BEND", command(kEditorBend), true},
        {"NEWLINE", command(kEditorNewline), true},
        {"MARK", command(kEditorMark), false},
        {"UNMARK", command(kEditorUnmark), false},
        {"BACK", command(kEditorBack), false},
        {"NEXT", command(kEditorNext), false},
        {"click on the neck",
         [&g] {
             fretboard_MouseDown(g, 1, 200, 40);
             fretboard_MouseUp(g);
         },
         true},
        {"undo (of INS)",
         [&g] {
             btnsongentry_Click(g, kEditorIns);
             editorUndo(g);
         },
         false},
    };
    double worst = 0;
    for (const Step& step : steps) {
        const double us = bench::measure(g, runs, step.action, step.undoAfter);
        worst = std::max(worst, us);
        std::printf("%-20s %8.1f us\n", step.name, us);
    }
    // Copy a 20-note range once, then paste it and take it back.
    g.transport.curNote = 400;
    btnsongentry_Click(g, kEditorMark);
    g.editor.markEnd = 419;
    btnsongentry_Click(g, kEditorCopy);
    g.song.noteCount = static_cast<i16>(std::min<int>(g.song.noteCount, kMaxNotes - 20));
    const double paste = bench::measure(g, runs, command(kEditorPaste), true);
    std::printf("%-20s %8.1f us\n", "PASTE (20 notes)", paste);
    std::printf("slowest: %.1f us (the budget is 1000 us)\n", std::max(worst, paste));
    return 0;
}
