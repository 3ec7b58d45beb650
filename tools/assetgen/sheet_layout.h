#pragma once
// Where the program looks inside each picture. Every number here is a coordinate the page
// renderer, the neck display or the adjuster copies from or relies on.

#include <array>

namespace lutavo::assetgen::layout {

// Notation line picture (destination of the page renderer).
inline constexpr int kScoreWidth = 601;
inline constexpr int kScoreHeight = 140;
inline constexpr std::array<int, 5> kStaffLineY = {66, 73, 80, 87, 94};
inline constexpr int kStaffTop = 66;
inline constexpr int kStaffBottom = 94;
inline constexpr int kLineStartX = 2;    // double line x = 2..3
inline constexpr int kLineEndX = 595;    // double end line x = 594..595
inline constexpr int kTieSourceX = 300;  // the tie row is copied from (300, 66)

// Tablature line picture.
inline constexpr int kTabWidth = 601;
inline constexpr int kTabHeight = 54;
inline constexpr std::array<int, 6> kTabLineY = {7, 15, 23, 31, 39, 47};  // slot 6 at the top
inline constexpr int kTabStartX = 3;                                      // double line x = 3..4
inline constexpr int kTabEndX = 595;  // double end line x = 594..595, copied as bar line/joiner

// Notation glyph sheet.
inline constexpr int kNotesWidth = 306;
inline constexpr int kNotesHeight = 29;
inline constexpr int kNoteCellWidth = 13;
inline constexpr int kNoteCellHeight = 24;
inline constexpr int kNoteStemColumns = 7;  // head and stem, without the flags
inline constexpr int kNoteHeadTop = 18;     // rows 18..23 of a note cell
inline constexpr int kTieStartX = 131;
inline constexpr int kTieEndX = 138;
inline constexpr int kTieY = 22;
inline constexpr int kTieWidth = 7;
inline constexpr int kTieHeight = 4;
inline constexpr int kFlatX = 132;
inline constexpr int kSharpX = 137;
inline constexpr int kNaturalX = 142;
inline constexpr int kSignWidth = 5;
inline constexpr int kSignHeight = 18;
inline constexpr int kRestWidth = 8;
inline constexpr int kRestHeight = 18;
inline constexpr int kLedgerX = 233;
inline constexpr int kLedgerWidth = 12;
inline constexpr int kLedgerRows = 5;  // at rows 0, 7, 14, 21, 28
inline constexpr int kBarX = 249;
inline constexpr int kBarHeight = 28;
inline constexpr int kTimeSigWidth = 10;
inline constexpr int kTimeSigHeight = 28;
inline constexpr int kNoteSymbols = 10;
inline constexpr int kTimeSignatures = 5;

constexpr int noteSymbolX(int k) {
    return 13 * (k - 1);
}
constexpr int restX(int k) {
    return 8 * (k + 18);
}
constexpr int timeSigX(int t) {
    return 11 * t + 239;
}

// Fret number sheets.
inline constexpr int kFretNumbersWidth = 414;
inline constexpr int kHeldNumbersWidth = 289;
inline constexpr int kFretNumbersHeight = 9;
inline constexpr int kFretCellWidth = 12;
inline constexpr int kFretCellHeight = 8;  // the page copies 12 x 8
inline constexpr int kFretCells = 23;      // frets 0..22
inline constexpr int kBendX = 275;
inline constexpr int kSmallCrossX = 283;
inline constexpr int kLargeCrossX = 296;
inline constexpr int kLargeCrossY = 2;
inline constexpr int kLargeCrossWidth = 7;
inline constexpr int kLargeCrossHeight = 6;
inline constexpr int kTripletX = 38;  // the digit 3, copied 7 x 9
inline constexpr int kTripletWidth = 7;
inline constexpr int kTripletHeight = 9;
inline constexpr int kTabLineInCell = 5;  // a cell lands on the tab with its row 5 on the line

// Neck.
inline constexpr int kNeckWidth = 634;
inline constexpr int kNeckHeight = 91;
inline constexpr int kFrets = 24;
inline constexpr std::array<int, 25> kFretEdgeX = {16,  58,  104, 144, 180, 213, 245, 274, 303,
                                                   329, 355, 380, 403, 425, 446, 466, 486, 506,
                                                   526, 545, 564, 579, 592, 605, 618};
inline constexpr std::array<int, 25> kFretMarkerX = {1,   38,  84,  124, 160, 193, 225, 256, 285,
                                                     311, 337, 363, 386, 409, 430, 450, 471, 491,
                                                     511, 531, 549, 565, 580, 595, 610};
inline constexpr std::array<int, 6> kStringY = {72, 58, 44, 30, 16, 2};  // slot 1..6
inline constexpr int kLeftHandedEdgeMirror = 618;  // left-handed x = 618 - right-handed x

// Marker sheets.
inline constexpr int kMarkerSheetWidth = 156;
inline constexpr int kMarkerSheetHeight = 24;
inline constexpr int kMarker = 12;
inline constexpr int kMarkerCrossX = 144;

// Keyboard.
inline constexpr int kKeyboardWidth = 438;
inline constexpr int kKeyboardHeight = 30;
inline constexpr int kOctaveWidth = 98;
inline constexpr std::array<int, 12> kKeyOffset = {1, 9, 15, 23, 29, 43, 51, 57, 65, 71, 80, 85};
constexpr bool isBlackKey(int semitone) {  // 0 = C .. 11 = B
    return semitone == 1 || semitone == 3 || semitone == 6 || semitone == 8 || semitone == 10;
}
constexpr int keyTop(int semitone) {
    return isBlackKey(semitone) ? -5 : 11;
}
inline constexpr int kKeyDownWidth = 168;
inline constexpr int kKeyDownHeight = 17;
inline constexpr int kKeyCell = 14;

// Pointers.
inline constexpr int kPointerWidth = 21;
inline constexpr int kPointerHeight = 12;
inline constexpr int kLinePointerWidth = 13;
inline constexpr int kLinePointerHeight = 20;

}  // namespace lutavo::assetgen::layout
