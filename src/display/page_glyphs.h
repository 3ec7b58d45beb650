#pragma once
// Where every glyph sits in the glyph sheets and the page pictures, and the one copy the page
// drawing is built from.

#include "platform/picture.h"

namespace lutavo {

struct Guitar;

namespace glyph {

// Page pictures.
inline constexpr int kScoreWidth = 601;
inline constexpr int kScoreHeight = 140;
inline constexpr int kTabWidth = 601;
inline constexpr int kTabHeight = 54;
inline constexpr int kStaffTop = 66;   // top line of the staff on picscore
inline constexpr int kEndLineX = 595;  // the double end line, used as a source of vertical lines

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

}  // namespace glyph

// Copies a rectangle of a glyph sheet. A sheet that could not be loaded is empty and gives
// nothing, so a missing file never leaves stray copies behind.
void stamp(Picture& dest, int x, int y, const Picture& sheet, int srcX, int srcY, int width,
           int height, RasterOp op);

// Sizes both page pictures and fills them with their backgrounds (white where one is missing).
void clearPagePictures(Guitar& g);

}  // namespace lutavo
