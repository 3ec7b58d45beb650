// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample.h"

#include <cmath>

#include "keyboard.h"
#include "markers.h"
#include "neck.h"
#include "notation.h"
#include "sheet_layout.h"
#include "tablature.h"

namespace lutavo::assetgen {

namespace {

using namespace layout;

enum class Op { Copy, And };

void blit(QImage& dest, int dx, int dy, const QImage& src, int sx, int sy, int w, int h, Op op) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!dest.rect().contains(dx + x, dy + y)) continue;
            const QRgb s =
                src.rect().contains(sx + x, sy + y) ? src.pixel(sx + x, sy + y) : 0xFFFFFFFF;
            dest.setPixel(dx + x, dy + y, op == Op::Copy ? s : (dest.pixel(dx + x, dy + y) & s));
        }
    }
}

// Staff positions of a sharp key, five octaves of notation pitches from C.
int staffY(int pitch) {
    static const int base[12] = {105, 105, 102, 102, 98, 95, 95, 91, 91, 88, 88, 84};
    const int octave = (pitch - 1) / 12;
    const double y = base[(pitch - 1) % 12] - 24.6 * octave;
    return static_cast<int>(std::nearbyint(y));
}

void ledgers(QImage& score, const QImage& notes, int x, int pitch) {
    struct Rule {
        bool below;
        int limit, y, height;
    };
    const Rule rules[] = {{true, 4, 101, 22},  {true, 8, 101, 15},  {true, 12, 101, 8},
                          {true, 15, 101, 1},  {false, 47, 31, 29}, {false, 43, 38, 22},
                          {false, 40, 45, 15}, {false, 36, 52, 8},  {false, 33, 59, 8}};
    for (bool below : {true, false}) {
        for (const Rule& r : rules) {
            if (r.below != below) continue;
            if (below ? pitch < r.limit : pitch > r.limit) {
                blit(score, x - 12, r.y, notes, kLedgerX, 0, kLedgerWidth, r.height, Op::And);
                break;
            }
        }
    }
}

}  // namespace

QImage composeSampleScore(const Fonts& fonts) {
    const QImage notes = drawNoteSheet(fonts);
    const QImage numbers = drawFretNumbers();
    QImage score = drawScoreBackground();
    QImage tab = drawTabBackground();
    // Key of A (3 sharps) and 4/4 time, as the page draws them.
    const int sharpAt[3][2] = {{25, 56}, {30, 66}, {35, 53}};
    for (const auto& at : sharpAt)
        blit(score, at[0], at[1], notes, kSharpX, 0, 5, 18, Op::And);
    blit(score, 2 * (7 + 16), 66, notes, timeSigX(4), 0, 10, 28, Op::And);
    // Low E to high A with each note symbol, a sharp, a natural, a triplet mark and a tie.
    const int pitches[10] = {5, 10, 13, 17, 20, 24, 28, 30, 34, 50};
    for (int i = 0; i < 10; ++i) {
        const int x = 100 + 47 * i;
        const int p = pitches[i];
        ledgers(score, notes, x, p);
        blit(score, x - 10, staffY(p), notes, noteSymbolX(i + 1), 0, 13, 24, Op::And);
        if (i == 2) blit(score, x - 17, staffY(p) + 10, notes, kSharpX, 0, 5, 18, Op::And);
        if (i == 5) blit(score, x - 17, staffY(p) + 10, notes, kNaturalX, 0, 5, 18, Op::And);
        blit(tab, x - 12, 50 - 8 * (1 + i % 6), numbers, 12 * (i * 2), 0, 12, 8, Op::Copy);
    }
    blit(score, 100 + 47 * 3 - 11, 85 - 24, numbers, kTripletX, 0, 7, 9, Op::Copy);
    // A tie from the fourth column to the sixth on the pitch of the fourth.
    const int tx = 100 + 47 * 3;
    const int ex = 100 + 47 * 5;
    const int ty = staffY(17) + 24;
    blit(score, tx - 6, ty, notes, kTieStartX, kTieY, 7, 4, Op::And);
    blit(score, ex - 15, ty, notes, kTieEndX, kTieY, 7, 4, Op::And);
    blit(score, tx + 1, ty + 3, score, kTieSourceX, kStaffTop, ex - tx - 15, 1, Op::And);
    // Bar line on both lines, a rest, a muted note's cross on the tab.
    blit(score, 100 + 47 * 4 - 30, 66, notes, kBarLineX, 0, 1, 28, Op::And);
    blit(tab, 100 + 47 * 4 - 30, 8, tab, kEndLineX, 8, 1, 39, Op::Copy);
    blit(score, 570 - 10, 70, notes, restX(6), 0, 8, 18, Op::And);
    blit(tab, 570 - 12, 50 - 8 * 6, numbers, kSmallCrossX, 0, 12, 8, Op::Copy);
    QImage page(kScoreWidth, kScoreHeight + kTabHeight, QImage::Format_RGB32);
    blit(page, 0, 0, score, 0, 0, kScoreWidth, kScoreHeight, Op::Copy);
    blit(page, 0, kScoreHeight, tab, 0, 0, kTabWidth, kTabHeight, Op::Copy);
    return page;
}

QImage composeSampleNeck() {
    const QImage neck = drawNeck(Hand::Right);
    const QImage struck = drawMarkerSheet(MarkerKind::Struck);
    const QImage held = drawMarkerSheet(MarkerKind::Held);
    const QImage keys = drawKeyboard();
    const QImage down = drawKeyDownSheet();
    QImage page(kNeckWidth, kNeckHeight + kKeyboardHeight + 4, QImage::Format_RGB32);
    page.fill(0xFFFFFFFF);
    blit(page, 0, 0, neck, 0, 0, kNeckWidth, kNeckHeight, Op::Copy);
    // An open E chord struck, a held note and a muted string, then markers along the neck.
    const int chord[6] = {0, 2, 2, 1, 0, 0};
    for (int slot = 1; slot <= 6; ++slot) {
        const int f = chord[slot - 1];
        const int name = ((slot == 1   ? 0
                           : slot == 2 ? 5
                           : slot == 3 ? 10
                           : slot == 4 ? 3
                           : slot == 5 ? 7
                                       : 0) +
                          f) %
                         12;
        blit(page, kFretMarkerX[f], kStringY[slot - 1], struck, name * 12, 0, 12, 12, Op::Copy);
    }
    for (int f = 3; f <= 24; f += 3) {
        blit(page, kFretMarkerX[f], kStringY[(f / 3) % 6], f % 2 ? held : struck, (f % 12) * 12,
             f % 4 ? 0 : 12, 12, 12, Op::Copy);
    }
    blit(page, kFretMarkerX[0], kStringY[5], struck, kMarkerCrossX, 0, 12, 12, Op::Copy);
    QImage board = keys;  // pressed keys are clipped to the keyboard, as on screen
    for (int k : {0, 4, 7, 10}) {
        blit(board, 98 + kKeyOffset[k], keyTop(k), down, k * kKeyCell, 0, kKeyCell, kKeyDownHeight,
             Op::Copy);
    }
    blit(page, 0, kNeckHeight + 4, board, 0, 0, kKeyboardWidth, kKeyboardHeight, Op::Copy);
    return page;
}

}  // namespace lutavo::assetgen
