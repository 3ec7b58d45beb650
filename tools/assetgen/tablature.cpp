// SPDX-License-Identifier: GPL-3.0-or-later
#include "tablature.h"

#include <string>
#include <vector>

#include "art.h"
#include "pixel_font.h"
#include "sheet_layout.h"

namespace lutavo::assetgen {

namespace {

using namespace layout;

constexpr int kDigitTop = 1;    // digits on rows 1..7 of the 8 rows the page copies
constexpr int kCellCentre = 5;  // the column over the note head's centre

// The TAB sign in heavy letters, 7 x 10 each, stacked over the middle of the staff.
void drawTabSign(QImage& tab) {
    stamp(tab, 12, 10,
          {"#######", "#######", "..###..", "..###..", "..###..", "..###..", "..###..", "..###..",
           "..###..", "..###.."});
    stamp(tab, 12, 22,
          {"..###..", "..###..", ".##.##.", ".##.##.", ".##.##.", "##...##", "#######", "#######",
           "##...##", "##...##"});
    stamp(tab, 12, 34,
          {"######.", "##...##", "##...##", "##...##", "######.", "######.", "##...##", "##...##",
           "##...##", "######."});
}

// Number, letter or cross of one cell, in the ink of the sheet.
void drawFretCells(QImage& sheet, QRgb ink) {
    for (int f = 0; f <= kLastFretCell; ++f) {
        const std::string text = std::to_string(f);
        const PixelFace face = f < 10 ? PixelFace::Regular : PixelFace::Narrow;
        const int width = pixelTextWidth(text, face);
        const int left = kFretCellWidth * f + kCellCentre - width / 2;
        drawPixelText(sheet, left, kDigitTop, text, face, ink);
    }
    // The B cell overlaps the cells on both sides; its letter keeps to columns 3..7.
    drawPixelText(sheet, kBendX + 3, kDigitTop, "B", PixelFace::Regular, ink);
}

// Short pieces of the tab line on the row that lands on the line, wherever a cell has no
// figure (with one clear column around each figure), so a copied cell breaks the line only
// where its number stands.
void drawLinePieces(QImage& sheet, int lastColumn) {
    std::vector<bool> used(static_cast<std::size_t>(sheet.width()), false);
    for (int x = 0; x < sheet.width(); ++x) {
        for (int y = 0; y < sheet.height(); ++y) {
            if ((sheet.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                used[static_cast<std::size_t>(x)] = true;
        }
    }
    auto clear = [&](int x) {
        return x < 0 || x >= sheet.width() || !used[static_cast<std::size_t>(x)];
    };
    for (int x = 0; x <= lastColumn; ++x) {
        if (clear(x - 1) && clear(x) && clear(x + 1)) sheet.setPixel(x, kTabLineInCell, kInk);
    }
}

}  // namespace

QImage drawTabBackground() {
    QImage tab = blankImage(kTabWidth, kTabHeight);
    const int top = kTabLineY.front();
    const int bottom = kTabLineY.back();
    for (int y : kTabLineY)
        hLine(tab, kTabStartX, kEndLineX, y, kInk);
    for (int x : {kTabStartX, kTabStartX + 1, kEndLineX - 1, kEndLineX})
        vLine(tab, x, top, bottom, kInk);
    // The inner lines stop short of the sign, as in engraved tablature.
    fillBox(tab, 10, top + 1, 13, bottom - top - 1, kPaper);
    drawTabSign(tab);
    return tab;
}

QImage drawFretNumbers() {
    QImage sheet = blankImage(kFretNumbersWidth, kFretNumbersHeight);
    drawFretCells(sheet, kInk);
    // The small cross keeps right of column 286 so that the B cell copied 12 wide never shows it.
    stamp(sheet, kSmallCrossX + 4, 2, {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"});
    stamp(sheet, kLargeCrossX, kLargeCrossY,
          {"##...##", ".##.##.", "..###..", "..###..", ".##.##.", "##...##"});
    drawLinePieces(sheet, kSmallCrossX + kFretCellWidth - 1);
    return sheet;
}

QImage drawHeldFretNumbers() {
    QImage sheet = blankImage(kHeldNumbersWidth, kFretNumbersHeight);
    drawFretCells(sheet, kHeldGrey);
    drawLinePieces(sheet, kBendX + kFretCellWidth - 1);
    return sheet;
}

}  // namespace lutavo::assetgen
