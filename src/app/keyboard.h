#pragma once
// The window's keys: the editor's commands, the transport and the mode bar without the mouse.

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
    Songs,      // Ctrl+O: the SONGS button
    Lessons,    // Ctrl+L: the LESSONS button
    Print,      // Ctrl+P: the PRINT button's menu
    Help,       // F1: the keys and the panels in a short help window
    ZoomIn,     // Ctrl+Plus
    ZoomOut,    // Ctrl+Minus
    ZoomReset,  // Ctrl+0
};

void keyCommand(Guitar& g, KeyCommand key);

}  // namespace lutavo
