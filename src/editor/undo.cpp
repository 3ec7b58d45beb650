#include "editor/undo.h"

#include "core/guitar.h"
#include "display/page_layout.h"
#include "display/page_render.h"
#include "display/scrolling.h"
#include "editor/song_info.h"
#include "playback/transport.h"
#include "song/song_edit.h"

namespace lutavo {

namespace {

UndoStep current(const Guitar& g) {
    const auto& ed = g.editor;
    return {songedit::snapshot(g.song),
            g.transport.curNote,
            g.transport.curPage,
            g.ui.pgScroll.max,
            ed.markActive,
            ed.markStart,
            ed.markEnd};
}

void push(std::deque<UndoStep>& steps, UndoStep step) {
    steps.push_back(std::move(step));
    if (static_cast<int>(steps.size()) > kUndoSteps) steps.pop_front();
}

void bringBack(Guitar& g, const UndoStep& step) {
    auto& s = g.song;
    songedit::restore(s, step.song);
    songedit::endSongAt(s, s.noteCount);
    g.transport.curNote = step.curNote;
    g.editor.markActive = step.markActive;
    g.editor.markStart = step.markStart;
    g.editor.markEnd = step.markEnd;
    g.ui.pgScroll.max = step.pageCount;
    g.ui.scrollpanel.visible = step.pageCount > 1;
    g.transport.curPage = step.curPage;
    g.display.noteSpacing = layoutpage(g.song, g.transport.curPage);
    if (g.ui.pgScroll.value != step.curPage) {
        pgScroll_Scroll(g, step.curPage);
    } else {
        pgScroll_Change(g);
    }
    placeNotePointer(g, g.transport.curNote);
    showSongTexts(g);
}

bool move(Guitar& g, std::deque<UndoStep>& from, std::deque<UndoStep>& to) {
    if (from.empty() || isPlaying(g)) return false;
    push(to, current(g));
    const UndoStep step = std::move(from.back());
    from.pop_back();
    bringBack(g, step);
    return true;
}

}  // namespace

void recordUndo(Guitar& g, const std::function<void()>& change) {
    const unsigned before = g.song.changes;
    UndoStep step = current(g);
    change();
    if (g.song.changes == before) return;
    push(g.editor.undo, std::move(step));
    g.editor.redo.clear();
}

bool undoEdit(Guitar& g) {
    return move(g, g.editor.undo, g.editor.redo);
}

bool redoEdit(Guitar& g) {
    return move(g, g.editor.redo, g.editor.undo);
}

void clearUndo(Guitar& g) {
    g.editor.undo.clear();
    g.editor.redo.clear();
}

}  // namespace lutavo
