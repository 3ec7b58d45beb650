// SPDX-License-Identifier: GPL-3.0-or-later
#include "notation.h"

#include <QPainterPath>
#include <cmath>
#include <vector>

#include "art.h"
#include "fine_sheets.h"
#include "sheet_layout.h"

namespace lutavo::assetgen {

namespace {

using namespace layout;

// Note heads, 7 x 6 (the whole note 8 x 6): slanted ovals, the hollow ones with the hole
// tilted the way an engraved head is.
const std::vector<const char*> kFilledHead = {
    "..####.", ".######", "#######", "#######", "######.", ".####..",
};
const std::vector<const char*> kHollowHead = {
    "..####.", ".##..##", "##...##", "##...##", "##..##.", ".####..",
};
const std::vector<const char*> kWholeHead = {
    "..####..", ".##..###", "##....##", "##....##", "###..##.", "..####..",
};

// Flags hang from the top of the stem; the last one of a group has the long curled tail.
const std::vector<const char*> kInnerFlag = {"#....", "##...", ".##..", "..##.", "...#."};
const std::vector<const char*> kLastFlag = {"#.....", "##....", ".##...", "..##..",
                                            "...##.", "....#.", "....#.", "...#.."};

constexpr int kStemColumn = 6;
constexpr int kStemTop = 1;
constexpr int kStemBottom = 19;
constexpr int kFlagGap = 4;

struct NoteShape {
    int flags;
    bool dotted;
    bool hollow;
    bool stem;
};

NoteShape noteShape(int k) {
    switch (k) {
        case 1:
            return {3, false, false, true};
        case 2:
            return {2, false, false, true};
        case 3:
            return {2, true, false, true};
        case 4:
            return {1, false, false, true};
        case 5:
            return {1, true, false, true};
        case 6:
            return {0, false, false, true};
        case 7:
            return {0, true, false, true};
        case 8:
            return {0, false, true, true};
        case 9:
            return {0, true, true, true};
        default:
            return {0, false, true, false};
    }
}

}  // namespace

void drawNoteSymbol(QImage& image, int x, int y, int k, QRgb ink) {
    const NoteShape shape = noteShape(k);
    const int headY = y + kNoteHeadTop;
    if (!shape.stem) {
        stampRows(image, x, headY, kWholeHead, ink);
        return;
    }
    stampRows(image, x, headY, shape.hollow ? kHollowHead : kFilledHead, ink);
    vLine(image, x + kStemColumn, y + kStemTop, y + kStemBottom, ink);
    for (int f = 0; f < shape.flags; ++f) {
        const bool last = f == shape.flags - 1;
        stampRows(image, x + kStemColumn, y + kStemTop + f * kFlagGap,
                  last ? kLastFlag : kInnerFlag, ink);
    }
    // High in the head's rows, so a head on a line keeps its dot in the space above.
    if (shape.dotted) fillBox(image, x + 9, headY, 2, 2, ink);
}

void drawRest(QImage& image, int x, int y, int k, QRgb ink) {
    // Rest bodies are 6 wide; a dotted rest moves left to make room for its dot.
    static const std::vector<const char*> kWhole = {"...",    "...",    "...",   "...",
                                                    "######", "######", "######"};
    static const std::vector<const char*> kHalf = {"...", "...", "...",    "...",    "...",
                                                   "...", "...", "######", "######", "######"};
    static const std::vector<const char*> kQuarter = {
        "......", ".#....", "..#...", "..##..", "...##.", "...###", "..###.", ".###..", ".##...",
        "..##..", "...##.", "...###", "..##..", ".#....", ".#....", ".##...", "..##..", "...#.."};
    static const std::vector<const char*> kEighth = {
        "......", "......", "......", "......", "......", "......", ".##..#", "####.#",
        ".####.", "....#.", "....#.", "...#..", "...#..", "..#...", "..#...", ".#...."};
    static const std::vector<const char*> kSixteenth = {
        "......", "......", "......", ".##..#", "####.#", ".####.", "....#.", ".##.#.",
        "####..", ".###..", "..#...", "..#...", ".#....", ".#....", "#....."};
    static const std::vector<const char*> kThirtySecond = {
        "......", ".##..#", "####.#", ".####.", "....#.", ".##.#.", "####..", ".###..",
        "..#...", "##.#..", "####..", ".##...", ".#....", ".#....", "#.....", "#....."};
    const std::vector<const char*>* body = &kQuarter;
    bool dotted = false;
    switch (k) {
        case 1:
            body = &kThirtySecond;
            break;
        case 2:
            body = &kSixteenth;
            break;
        case 3:
            body = &kSixteenth;
            dotted = true;
            break;
        case 4:
            body = &kEighth;
            break;
        case 5:
            body = &kEighth;
            dotted = true;
            break;
        case 6:
            body = &kQuarter;
            break;
        case 7:
            body = &kQuarter;
            dotted = true;
            break;
        case 8:
            body = &kHalf;
            break;
        case 9:
            body = &kHalf;
            dotted = true;
            break;
        default:
            body = &kWhole;
            break;
    }
    stampRows(image, dotted ? x : x + 1, y, *body, ink);
    // The dot sits in a staff space clear of the body: beside the half rest, else low.
    if (dotted) fillBox(image, x + 6, k == 9 ? y + 7 : y + 13, 2, 2, ink);
}

namespace {

void drawTies(QImage& sheet) {
    // The start arc leaves the struck head and runs into the tie row (row 3) at its right end;
    // the end arc leaves the tie row at its left end and rises to the next head.
    stamp(sheet, kTieStartX, kTieY, {"#......", ".#.....", "..##...", "....###"});
    stamp(sheet, kTieEndX, kTieY, {"......#", ".....#.", "...##..", "###...."});
}

void drawSigns(QImage& sheet) {
    // Each sign is centred on row 10.5, where the note head it belongs to sits.
    stamp(sheet, kFlatX, 0,
          {".....", ".....", "#....", "#....", "#....", "#....", "#....", "#....", "#.##.", "##..#",
           "#...#", "#..#.", "#.#..", "##...", "#....", ".....", ".....", "....."});
    stamp(sheet, kSharpX, 0,
          {".....", ".....", ".....", ".....", "...#.", ".#.#.", ".#.#.", ".#.##", "#####", "##.#.",
           ".#.#.", ".#.##", "#####", "##.#.", ".#.#.", ".#.#.", ".#...", "....."});
    stamp(sheet, kNaturalX, 0,
          {".....", ".....", ".....", ".#...", ".#...", ".#...", ".#...", ".#.##", ".###.", "##.#.",
           ".#.#.", ".#.##", ".###.", "##.#.", "...#.", "...#.", "...#.", "....."});
}

void drawLedgerAndBar(QImage& sheet) {
    for (int i = 0; i < kLedgerRows; ++i)
        hLine(sheet, kLedgerX, kLedgerX + 10, i * 7, kInk);
    vLine(sheet, kBarLineX, 0, kBarLineHeight - 1, kInk);
}

// One numeral of a time signature, 9 x 13 times the scale, rendered from the serif face and
// thresholded so that it stays pure black.
void drawTimeNumeral(QImage& sheet, const Fonts& fonts, int x, int y, char numeral, int scale) {
    const Coverage cover =
        measureCoverage(kTimeSigWidth * scale, 14 * scale, [&](QPainter& painter) {
            painter.scale(scale, scale);
            QFont font = fonts.font(Face::SerifBold, 17);
            font.setHintingPreference(QFont::PreferNoHinting);
            painter.setFont(font);
            painter.setPen(Qt::white);
            const QRectF box(-1.0, -1.5, kTimeSigWidth + 2.0, 17.0);
            painter.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter, QString(QChar(numeral)));
        });
    inkThreshold(sheet, x * scale, y * scale, cover, kInk, 0.45f);
}

void drawTimeSignatures(QImage& sheet, const Fonts& fonts, int scale) {
    static const char* const kSignatures[kTimeSignatures] = {"22", "24", "34", "44", "68"};
    for (int t = 1; t <= kTimeSignatures; ++t) {
        const int x = timeSigX(t);
        drawTimeNumeral(sheet, fonts, x, 0, kSignatures[t - 1][0], scale);
        drawTimeNumeral(sheet, fonts, x, 14, kSignatures[t - 1][1], scale);
    }
}

}  // namespace

QImage drawNoteSheet(const Fonts& fonts, int scale) {
    QImage sheet = blankImage(kNotesWidth, kNotesHeight);
    for (int k = 1; k <= kNoteSymbols; ++k)
        drawNoteSymbol(sheet, noteSymbolX(k), 0, k, kInk);
    drawTies(sheet);
    drawSigns(sheet);
    for (int k = 1; k <= kNoteSymbols; ++k)
        drawRest(sheet, restX(k), 0, k, kInk);
    drawLedgerAndBar(sheet);
    // The numerals come from the face, so they are rendered afresh at the scale.
    if (scale > 1) sheet = enlargeSheet(sheet, scale);
    drawTimeSignatures(sheet, fonts, scale);
    return sheet;
}

namespace {

// The G clef as one pen stroke of varying weight: from the inner end of the spiral round the
// G line (y = 87), up over the staff into the top loop, straight down through the spiral and
// into the tail with its ball.
struct PenPoint {
    double x, y, radius;
};

const PenPoint kClefStroke[] = {
    {17.6, 86.2, 0.55}, {19.4, 87.6, 0.6},  {19.0, 90.3, 0.7},  {16.6, 91.6, 0.8},
    {14.0, 90.4, 0.95}, {12.9, 87.2, 1.05}, {13.8, 83.2, 1.0},  {16.4, 80.3, 0.85},
    {19.6, 79.6, 0.7},  {22.2, 81.4, 0.7},  {23.3, 85.2, 0.8},  {22.6, 89.6, 0.95},
    {20.2, 92.9, 1.05}, {16.6, 94.4, 1.05}, {13.0, 93.8, 1.0},  {10.6, 91.2, 1.0},
    {9.9, 87.0, 1.05},  {10.8, 82.6, 1.0},  {13.0, 78.4, 0.9},  {15.8, 74.4, 0.8},
    {18.6, 70.4, 0.75}, {20.8, 66.0, 0.72}, {22.0, 61.2, 0.7},  {21.6, 56.8, 0.65},
    {20.0, 54.0, 0.6},  {17.8, 54.4, 0.6},  {15.6, 57.4, 0.62}, {14.8, 61.6, 0.68},
    {15.4, 66.4, 0.72}, {16.3, 71.0, 0.75}, {17.0, 77.0, 0.8},  {17.8, 83.0, 0.85},
    {18.6, 89.0, 0.85}, {19.2, 95.0, 0.85}, {19.2, 99.4, 0.8},  {18.0, 102.4, 0.75},
    {15.8, 103.6, 0.7}, {13.8, 102.8, 0.7},
};

void paintClef(QPainter& painter, int scale) {
    painter.scale(scale, scale);
    const int count = static_cast<int>(std::size(kClefStroke));
    for (int i = 0; i + 1 < count; ++i) {
        const PenPoint& a = kClefStroke[i];
        const PenPoint& b = kClefStroke[i + 1];
        const int steps = 12;
        for (int s = 0; s <= steps; ++s) {
            const double t = static_cast<double>(s) / steps;
            const double r = a.radius + (b.radius - a.radius) * t;
            painter.drawEllipse(QPointF(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t), r, r);
        }
    }
    painter.drawEllipse(QPointF(14.0, 101.4), 1.9, 1.9);  // the ball at the end of the tail
}

}  // namespace

QImage drawScoreBackground(int scale) {
    QImage score = blankImage(kScoreWidth, kScoreHeight);
    for (int y : kStaffLineY)
        hLine(score, kLineStartX, kLineEndX, y, kInk);
    for (int x : {kLineStartX, kLineStartX + 1, kLineEndX - 1, kLineEndX}) {
        vLine(score, x, kStaffTop, kStaffBottom, kInk);
    }
    // The clef is a pen stroke, drawn afresh at the scale over the enlarged staff.
    if (scale > 1) score = enlargeSheet(score, scale);
    const Coverage clef = measureCoverage(30 * scale, kScoreHeight * scale,
                                          [scale](QPainter& p) { paintClef(p, scale); });
    inkThreshold(score, 0, 0, clef, kInk, 0.5f);
    return score;
}

}  // namespace lutavo::assetgen
