// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the lines of a song go on printed sheets: the paper's margins, a title block on the
// first sheet, as many lines under one another as fit, a page number at the foot.

#include <vector>

#include "platform/sheet_drawing.h"

namespace lutavo {

// A line's measures in staff spaces: room above the staff for high notes and stems, the staff,
// the gap to the tablature, the tablature and room below it.
struct LineGeometry {
    double space = 5.2;  // a staff space, in points
    double above = 5.5;
    double toTab = 5.5;
    double tabGap = 1.3;  // between two tablature lines
    double below = 1.5;

    double staffTop(double lineTop) const { return lineTop + above * space; }
    // The y of a staff step (0 the middle line, upwards positive).
    double stepY(double lineTop, double step) const {
        return staffTop(lineTop) + (2 - step / 2) * space;
    }
    double tabTop(double lineTop) const { return staffTop(lineTop) + (4 + toTab) * space; }
    // The y of the tablature's line k, 0 the top one (the highest string) .. 5.
    double tabLineY(double lineTop, int k) const { return tabTop(lineTop) + k * tabGap * space; }
    // The y of string slot 1 (the lowest string, the bottom line) .. 6.
    double slotY(double lineTop, int slot) const { return tabLineY(lineTop, 6 - slot); }
    double height() const { return (above + 4 + toTab + 5 * tabGap + below) * space; }
};

struct SheetFrame {
    PaperSize paper;
    double margin = 50;
    double titleBlock = 72;  // the first sheet's title, texts and the room under them
    double foot = 24;        // the page number's room at the bottom
    LineGeometry line{};
    // A song whose pages are pictures prints each as a line of this height instead.
    double pictureHeight = 0;

    double lineHeight() const { return pictureHeight > 0 ? pictureHeight : line.height(); }
    double left() const { return margin; }
    double right() const { return paper.width - margin; }
    // Where the first line of a sheet begins.
    double firstLineTop(int sheet) const { return margin + (sheet == 1 ? titleBlock : 0); }
    int linesOn(int sheet) const;
};

// The first line on each sheet (from 0) for a song of `lines` lines; one entry per sheet.
std::vector<int> sheetStarts(const SheetFrame& frame, int lines);

}  // namespace lutavo
