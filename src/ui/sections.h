// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts of the main window, each built onto the window and bound to its models.

class QWidget;

namespace lutavo {

class ViewBinder;

// Mode bar, close button, song name, transport row and output buttons.
void buildToolbar(ViewBinder& b, QWidget* window);
// Neck with string names, fret numbers, capo and tuner; keyboard.
void buildNeck(ViewBinder& b, QWidget* window);
// The page: score and tablature pictures, titles, page scroll bar and pointers.
void buildPage(ViewBinder& b, QWidget* window);
// Editor panel, settings adjuster, lesson panel and song information panel.
void buildLowerPanels(ViewBinder& b, QWidget* window);
// Note counter, note scroll bar, copy buffer, volume and tempo along the bottom edge; returns
// the strip, which the window keeps at its bottom.
QWidget* buildStatusStrip(ViewBinder& b, QWidget* window);

}  // namespace lutavo
