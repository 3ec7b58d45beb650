#include "core/undo_steps.h"

#include "core/guitar.h"

namespace lutavo {

UndoStep undoStepNow(const Guitar& g) {
    const auto& ed = g.editor;
    return {songedit::snapshot(g.song),
            g.transport.curNote,
            g.transport.curPage,
            g.ui.pgScroll.max,
            ed.markActive,
            ed.markStart,
            ed.markEnd};
}

void keepStep(std::deque<UndoStep>& steps, UndoStep step) {
    steps.push_back(std::move(step));
    if (static_cast<int>(steps.size()) > kUndoSteps) steps.pop_front();
}

void recordUndo(Guitar& g, const std::function<void()>& change) {
    const unsigned before = g.song.changes;
    UndoStep step = undoStepNow(g);
    change();
    if (g.song.changes == before) return;
    songedit::settleHeldNotes(g.song);
    keepStep(g.editor.undo, std::move(step));
    g.editor.redo.clear();
}

}  // namespace lutavo
