// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/undo_steps.h"

#include "song/song_edit.h"

namespace lutavo {

UndoStep undoStepNow(const UndoParts& p) {
    const EditorState& ed = p.editor;
    return {songedit::snapshot(p.song),
            p.transport.curNote,
            p.transport.curPage,
            p.pages,
            ed.markActive,
            ed.markStart,
            ed.markEnd};
}

void keepStep(std::deque<UndoStep>& steps, UndoStep step) {
    steps.push_back(std::move(step));
    if (static_cast<int>(steps.size()) > kUndoSteps) steps.pop_front();
}

void beginTyping(const UndoParts& p) {
    if (!p.editor.typingFrom) p.editor.typingFrom = undoStepNow(p);
}

void endTyping(const UndoParts& p) {
    auto& from = p.editor.typingFrom;
    if (!from) return;
    UndoStep step = std::move(*from);
    from.reset();
    const SongSnapshot& shot = step.song;
    const SongModel& s = p.song;
    if (shot.title == s.songTitle && shot.info == s.songInfo && shot.composer == s.songComposer)
        return;
    keepStep(p.editor.undo, std::move(step));
    p.editor.redo.clear();
}

void recordUndo(const UndoParts& p, const std::function<void()>& change) {
    endTyping(p);
    const unsigned before = p.song.changes;
    UndoStep step = undoStepNow(p);
    change();
    if (p.song.changes == before) return;
    songedit::settleHeldNotes(p.song);
    keepStep(p.editor.undo, std::move(step));
    p.editor.redo.clear();
}

}  // namespace lutavo
