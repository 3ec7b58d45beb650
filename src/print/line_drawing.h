// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws one engraved line of a song on a sheet: staff and tablature, clef, signatures, bars,
// notes with their stems, flags, beams, signs, dots, ties and triplet brackets, rests, and the
// tablature's marks.

#include <vector>

#include "platform/sheet_drawing.h"
#include "print/engraved_line.h"
#include "print/sheet_layout.h"

namespace lutavo {

struct LinePlace {
    double top = 0;         // the line's top on the sheet
    int key = 1;            // the song's key index (odd: sharps, even: flats)
    int timeSig = 0;        // 0 none, 1..5
    bool showTime = false;  // the time signature heads the song's first line only
    bool songEnd = false;   // the last line ends with the final double bar
    int halfGap = 0;        // half the distance between two columns, in page pixels
};

void drawLine(SheetDrawing& out, const SheetFrame& frame, const LinePlace& place,
              const std::vector<EngravedColumn>& columns);

}  // namespace lutavo
