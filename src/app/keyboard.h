#pragma once
// The window's keys: the editor's commands and the transport without the mouse.

namespace lutavo {

struct Guitar;

enum class KeyCommand {
    Back,       // Left
    Next,       // Right
    MarkBack,   // Shift+Left: extends the mark
    MarkNext,   // Shift+Right
    Insert,     // Insert
    Delete,     // Delete
    Save,       // Ctrl+S
    Copy,       // Ctrl+C
    Paste,      // Ctrl+V
    Undo,       // Ctrl+Z
    Redo,       // Ctrl+Shift+Z, Ctrl+Y
    PlayPause,  // Space
};

void keyCommand(Guitar& g, KeyCommand key);

}  // namespace lutavo
