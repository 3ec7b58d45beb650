// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The generator's view of the pictures: every place the program copies from comes from the
// program's own glyph layout; what stays here are the drawing details the program never reads.

#include <array>

#include "display/glyph_layout.h"

namespace lutavo::assetgen::layout {

using namespace ::lutavo::glyph;

// Notation line picture (destination of the page renderer).
inline constexpr std::array<int, 5> kStaffLineY = {66, 73, 80, 87, 94};
inline constexpr int kStaffBottom = 94;
inline constexpr int kLineStartX = 2;  // double line x = 2..3
inline constexpr int kLineEndX = 595;  // double end line x = 594..595

// Tablature line picture; its double end line sits at kEndLineX - 1..kEndLineX.
inline constexpr std::array<int, 6> kTabLineY = {7, 15, 23, 31, 39, 47};  // slot 6 at the top
inline constexpr int kTabStartX = 3;                                      // double line x = 3..4

// Notation glyph sheet.
inline constexpr int kNotesWidth = 306;
inline constexpr int kNotesHeight = 29;
inline constexpr int kNoteHeadTop = 18;  // rows 18..23 of a note cell
inline constexpr int kLedgerRows = 5;    // at rows 0, 7, 14, 21, 28
inline constexpr int kNoteSymbols = 10;
inline constexpr int kTimeSignatures = 5;

// Fret number sheets.
inline constexpr int kFretNumbersWidth = 414;
inline constexpr int kHeldNumbersWidth = 289;
inline constexpr int kFretNumbersHeight = 9;
inline constexpr int kTabLineInCell = 5;  // a cell lands on the tab with its row 5 on the line

// Neck.
inline constexpr int kNeckWidth = 634;
inline constexpr int kNeckHeight = 91;
inline constexpr int kFrets = 24;

// Marker sheets.
inline constexpr int kMarkerSheetWidth = 156;
inline constexpr int kMarkerSheetHeight = 24;

// Keyboard.
inline constexpr int kKeyboardWidth = 438;
inline constexpr int kKeyboardHeight = 30;
inline constexpr int kKeyDownWidth = 168;

// Pointers.
inline constexpr int kPointerWidth = 21;
inline constexpr int kPointerHeight = 12;
inline constexpr int kLinePointerWidth = 13;
inline constexpr int kLinePointerHeight = 20;

}  // namespace lutavo::assetgen::layout
