// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws a sheet of shapes, music glyphs and texts with a painter.

#include <QString>
#include <string>

#include "platform/sheet_drawing.h"

class QPainter;

namespace lutavo {

// The music font installed on this system (a file of the lilypond-fonts package), or "".
std::string findMusicFont();

// Loads the music font into the application's fonts once and returns its family ("" when
// there is none).
QString musicFontFamily(const std::string& file);

// Draws the sheet at `unitsPerPoint` of the painter's units to a point: pictures, lines, the
// clear ground under texts, shapes, glyphs, texts.
void paintSheet(QPainter& painter, const SheetDrawing& sheet, double unitsPerPoint,
                const QString& musicFamily);

}  // namespace lutavo
