#include "app/keyboard.h"

#include "core/control_ids.h"
#include "core/guitar.h"
#include "editor/editor_commands.h"
#include "playback/transport.h"

namespace lutavo {

namespace {

// Outside the editor only the cursor keys and Space mean something.
void transportKey(Guitar& g, KeyCommand key) {
    switch (key) {
        case KeyCommand::Back:
            playbtn_Click(g, kBack);
            break;
        case KeyCommand::Next:
            playbtn_Click(g, kNext);
            break;
        case KeyCommand::PlayPause:
            playbtn_Click(g, isPlaying(g) ? kPause : kPlay);
            break;
        default:
            break;
    }
}

void extendMark(Guitar& g, int move) {
    if (!g.editor.markActive) btnsongentry_Click(g, kEditorMark);
    btnsongentry_Click(g, move);
}

}  // namespace

void keyCommand(Guitar& g, KeyCommand key) {
    if (g.app.appMode != kModeEditor || key == KeyCommand::PlayPause) {
        transportKey(g, key);
        return;
    }
    switch (key) {
        case KeyCommand::Back:
            btnsongentry_Click(g, kEditorBack);
            break;
        case KeyCommand::Next:
            btnsongentry_Click(g, kEditorNext);
            break;
        case KeyCommand::MarkBack:
            extendMark(g, kEditorBack);
            break;
        case KeyCommand::MarkNext:
            extendMark(g, kEditorNext);
            break;
        case KeyCommand::Insert:
            btnsongentry_Click(g, kEditorIns);
            break;
        case KeyCommand::Delete:
            btnsongentry_Click(g, kEditorDel);
            break;
        case KeyCommand::Save:
            btnsongentry_Click(g, kEditorSave);
            break;
        case KeyCommand::Copy:
            btnsongentry_Click(g, kEditorCopy);
            break;
        case KeyCommand::Paste:
            btnsongentry_Click(g, kEditorPaste);
            break;
        case KeyCommand::Undo:
            editorUndo(g);
            break;
        case KeyCommand::Redo:
            editorRedo(g);
            break;
        default:
            break;
    }
}

}  // namespace lutavo
