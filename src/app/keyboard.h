// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's keys: the editor's commands, the transport and the mode bar without the mouse.

namespace lutavo {

struct Guitar;

enum class KeyCommand {
    Back,          // Left
    Next,          // Right
    MarkBack,      // Shift+Left: extends the mark
    MarkNext,      // Shift+Right
    Insert,        // Insert
    Delete,        // Delete
    Save,          // Ctrl+S
    Copy,          // Ctrl+C
    Paste,         // Ctrl+V
    Undo,          // Ctrl+Z
    Redo,          // Ctrl+Shift+Z, Ctrl+Y
    PlayPause,     // Space
    Songs,         // Ctrl+O: the SONGS button
    Lessons,       // Ctrl+L: the LESSONS button
    Print,         // Ctrl+P: the PRINT button's menu
    Help,          // F1: the keys and the panels in a short help window
    ZoomIn,        // Ctrl+Plus
    ZoomOut,       // Ctrl+Minus
    ZoomReset,     // Ctrl+0
    PassageStart,  // [: the passage starts at the current note
    PassageEnd,    // ]: and ends there
    LineStart,     // {: the passage starts with the current line
    LineEnd,       // }: and ends with it
    Loop,          // L: loops the passage (or the line) on and off
    Trainer,       // T: the speed trainer on the passage (or the line) on and off
    TrainerPlan,   // Shift+T: the speed trainer's plan
    Faster,        // Ctrl+Up: the practice speed 5% up
    Slower,        // Ctrl+Down: 5% down
    Progress,      // P: the practice progress, where a recent song can be opened again
    Repeat,        // the REPEAT button: its menu, the practice progress among its items
    WaitMode,      // W: wait mode on and off
    Scoring,       // S: play-along scoring on and off
};

void keyCommand(Guitar& g, KeyCommand key);

}  // namespace lutavo
