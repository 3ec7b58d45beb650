// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/sheet_layout.h"

#include <algorithm>
#include <cmath>

namespace lutavo {

int SheetFrame::linesOn(int sheet) const {
    const double room = paper.height - margin - foot - firstLineTop(sheet);
    // However small the paper, a sheet takes a line, so that every line is printed.
    return std::max(1, static_cast<int>(std::floor(room / lineHeight())));
}

std::vector<int> sheetStarts(const SheetFrame& frame, int lines) {
    std::vector<int> starts;
    for (int first = 0, sheet = 1; first < lines; ++sheet) {
        starts.push_back(first);
        first += frame.linesOn(sheet);
    }
    return starts;
}

}  // namespace lutavo
