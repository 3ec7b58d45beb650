// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor's fourteen commands (btnsongentry 0..13): insert, delete, tie, triplet, song
// information, mark, copy and paste, bend, new line, save, and the cursor moves. Every change
// to the song goes through the song's editing door; every command ends with the refresh of the
// cursor displays.

namespace lutavo {

struct Guitar;
struct AppState;
struct WindowControls;
struct EditorState;

// A click on command button index; any index runs the refresh.
void btnsongentry_Click(Guitar& g, int index);
// Press and release recolour the labels: the last command pressed stays red.
void btnsongentry_MouseDown(WindowControls& ui, AppState& app, int index);
void btnsongentry_MouseUp(WindowControls& ui, int index);

// No mark any more.
void clearMark(EditorState& editor);

// Ctrl+Z and Ctrl+Shift+Z in the editor: take back the last change, or put it back.
void editorUndo(Guitar& g);
void editorRedo(Guitar& g);

// The page table built afresh from the end-of-page markers (after a range delete or a paste):
// the page count, every page laid out, and the page of curNote shown.
void rebuildPageTable(Guitar& g);

}  // namespace lutavo
