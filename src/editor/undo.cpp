// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/undo.h"

#include "core/guitar.h"
#include "display/fretboard.h"
#include "display/page_layout.h"
#include "display/page_render.h"
#include "display/scrolling.h"
#include "editor/song_info.h"
#include "playback/transport.h"
#include "song/song_edit.h"

namespace lutavo {

namespace {

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
    placeNotePointer(g.song, g.ui, g.transport.curNote);
    placeCapoPicture(g);
    g.playback.oldCapo = s.capo;
    showEditedSongTexts(g.song, g.ui);
}

bool move(Guitar& g, std::deque<UndoStep>& from, std::deque<UndoStep>& to) {
    endTyping(undoParts(g));
    if (from.empty() || isPlaying(g)) return false;
    keepStep(to, undoStepNow(undoParts(g)));
    const UndoStep step = std::move(from.back());
    from.pop_back();
    bringBack(g, step);
    return true;
}

}  // namespace

UndoParts undoParts(Guitar& g) {
    return {g.song, g.transport, g.editor, g.ui.pgScroll.max};
}

bool undoEdit(Guitar& g) {
    return move(g, g.editor.undo, g.editor.redo);
}

bool redoEdit(Guitar& g) {
    return move(g, g.editor.redo, g.editor.undo);
}

void clearUndo(EditorState& editor) {
    editor.undo.clear();
    editor.redo.clear();
    editor.typingFrom.reset();
}

}  // namespace lutavo
