// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where every glyph sits in the glyph sheets, the page pictures and the neck and keyboard
// pictures. The program copies from these places and the picture generator draws into them, so
// both read this one header; it depends on nothing.

#include <array>

namespace lutavo::glyph {

// Page pictures.
inline constexpr int kScoreWidth = 601;
inline constexpr int kScoreHeight = 140;
inline constexpr int kTabWidth = 601;
inline constexpr int kTabHeight = 54;
inline constexpr int kStaffTop = 66;     // top line of the staff on picscore
inline constexpr int kTieSourceX = 300;  // a tie's row is copied from (300, kStaffTop)
inline constexpr int kEndLineX = 595;    // pictab's double end line, a source of vertical lines

// picnotes: note symbols k = 1..10 (head at the bottom left, flags to the right).
inline constexpr int kNoteWidth = 13;
inline constexpr int kNoteStemWidth = 7;  // head and stem without the flags
inline constexpr int kNoteHeight = 24;
constexpr int noteSymbolX(int k) {
    return 13 * (k - 1);
}
inline constexpr int kWholeSymbol = 10;
inline constexpr int kFullGlyphTicks = 53;  // from here on every string shows the full glyph

// picnotes: tie arcs.
inline constexpr int kTieStartX = 131;
inline constexpr int kTieEndX = 138;
inline constexpr int kTieY = 22;
inline constexpr int kTieWidth = 7;
inline constexpr int kTieHeight = 4;

// picnotes: accidental signs; a sharp sits 5 pixels right of the flat.
inline constexpr int kFlatX = 132;
inline constexpr int kSharpX = 137;
inline constexpr int kNaturalX = 142;
inline constexpr int kSignWidth = 5;
inline constexpr int kSignHeight = 18;

// picnotes: rests for note symbol k = 1..10.
constexpr int restX(int k) {
    return 8 * (k + 18);
}
inline constexpr int kRestWidth = 8;
inline constexpr int kRestHeight = 18;
inline constexpr int kRestY = 70;

// picnotes: ledger lines every 7 rows, bar line, time signatures t = 1..5.
inline constexpr int kLedgerX = 233;
inline constexpr int kLedgerWidth = 12;
inline constexpr int kBarLineX = 249;
inline constexpr int kBarLineHeight = 28;
constexpr int timeSigX(int t) {
    return 11 * t + 239;
}
inline constexpr int kTimeSigWidth = 10;
inline constexpr int kTimeSigHeight = 28;

// pictabno / pictabnx: fret number cells, then the bend letter and the two crosses.
inline constexpr int kFretCellWidth = 12;
inline constexpr int kFretCellHeight = 8;
inline constexpr int kLastFretCell = 22;
constexpr int fretCellX(int f) {
    return 12 * f;
}
inline constexpr int kBendX = 275;
inline constexpr int kSmallCrossX = 283;
inline constexpr int kLargeCrossX = 296;
inline constexpr int kLargeCrossY = 2;
inline constexpr int kLargeCrossWidth = 7;
inline constexpr int kLargeCrossHeight = 6;
// The digit 3 of the fret numbers, used as the triplet mark.
inline constexpr int kTripletX = 38;
inline constexpr int kTripletWidth = 7;
inline constexpr int kTripletHeight = 9;

// Neck, right-handed: left edge of each fret 0..24, marker column of each fret, and the row of
// string slots 1..6. A left-handed neck is the mirror image.
inline constexpr std::array<int, 25> kFretEdgeX = {16,  58,  104, 144, 180, 213, 245, 274, 303,
                                                   329, 355, 380, 403, 425, 446, 466, 486, 506,
                                                   526, 545, 564, 579, 592, 605, 618};
inline constexpr std::array<int, 25> kFretMarkerX = {1,   38,  84,  124, 160, 193, 225, 256, 285,
                                                     311, 337, 363, 386, 409, 430, 450, 471, 491,
                                                     511, 531, 549, 565, 580, 595, 610};
inline constexpr std::array<int, 6> kStringY = {72, 58, 44, 30, 16, 2};
inline constexpr int kLeftHandedEdgeMirror = 618;  // left-handed x = 618 - right-handed x
// Left-handed marker column = 613 - right-handed marker column.
inline constexpr int kLeftHandedMarkerMirror = 613;

// Marker sheets: 12 x 12 cells. The name-less markers share one column: the one with a cross
// (struck with names off, and muted) on top, the plain one (held or bent) below it.
inline constexpr int kMarker = 12;
inline constexpr int kMarkerCrossX = 144;
inline constexpr int kMarkerCrossY = 0;
inline constexpr int kMarkerPlainY = 12;

// Keyboard: one octave is 98 pixels; each semitone 0 = C .. 11 = B has its key's left edge and
// its pressed-key cell in keydown.
inline constexpr int kOctaveWidth = 98;
inline constexpr std::array<int, 12> kKeyOffset = {1, 9, 15, 23, 29, 43, 51, 57, 65, 71, 80, 85};
constexpr bool isBlackKey(int semitone) {
    return semitone == 1 || semitone == 3 || semitone == 6 || semitone == 8 || semitone == 10;
}
// Where a pressed-key cell lands on the keyboard: black keys reach above its top.
constexpr int keyTop(int semitone) {
    return isBlackKey(semitone) ? -5 : 11;
}
inline constexpr int kKeyCell = 14;
inline constexpr int kKeyDownHeight = 17;

}  // namespace lutavo::glyph
