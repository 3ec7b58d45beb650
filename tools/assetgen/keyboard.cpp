// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboard.h"

#include "art.h"
#include "sheet_layout.h"

namespace lutavo::assetgen {

namespace {

using namespace layout;

constexpr int kOctaves = 5;
constexpr int kWhiteKey = 14;
constexpr int kBlackKeyWidth = 9;
constexpr int kBlackKeyBottom = 12;
constexpr int kWhiteSemitones[7] = {0, 2, 4, 5, 7, 9, 11};

QRgb whiteKeyColour(int y, bool pressed) {
    if (y >= kKeyboardHeight - 2) return pressed ? 0xFF2E8E3A : 0xFFC8C8BE;  // front edge
    const double t = static_cast<double>(y) / kKeyboardHeight;
    return pressed ? mix(0xFFB4F0B4, 0xFF52C45E, t) : mix(0xFFFFFFFA, 0xFFE8E8DE, t);
}

void paintWhiteKey(QImage& board, int left, bool pressed) {
    for (int y = 1; y < kKeyboardHeight; ++y) {
        hLine(board, left + 1, left + kWhiteKey - 1, y, whiteKeyColour(y, pressed));
    }
    vLine(board, left, 0, kKeyboardHeight - 1, 0xFF7C7C74);
}

void paintBlackKey(QImage& board, int left, bool pressed) {
    const QRgb body = pressed ? 0xFF1E8A2C : 0xFF1A1A1C;
    fillBox(board, left, 0, kBlackKeyWidth, kBlackKeyBottom, body);
    vLine(board, left + 2, 1, kBlackKeyBottom - 3, pressed ? 0xFF6CD67A : 0xFF505054);
    vLine(board, left + kBlackKeyWidth - 1, 0, kBlackKeyBottom - 1, shade(body, 0.6));
    hLine(board, left, left + kBlackKeyWidth - 1, kBlackKeyBottom,
          pressed ? 0xFF14601E : 0xFF3C3C40);
}

// The whole keyboard of five octaves (490 pixels), one key optionally pressed in every octave.
QImage paintBoard(int pressedSemitone) {
    QImage board = blankImage(kOctaves * kOctaveWidth, kKeyboardHeight);
    for (int o = 0; o < kOctaves; ++o) {
        const int base = o * kOctaveWidth;
        for (int i = 0; i < 7; ++i) {
            paintWhiteKey(board, base + i * kWhiteKey, kWhiteSemitones[i] == pressedSemitone);
        }
        for (int k = 0; k < 12; ++k) {
            if (isBlackKey(k)) paintBlackKey(board, base + kKeyOffset[k], k == pressedSemitone);
        }
    }
    hLine(board, 0, board.width() - 1, 0, 0xFF3A3A3A);  // the felt behind the keys
    return board;
}

}  // namespace

QImage drawKeyboard() {
    return paintBoard(-1).copy(0, 0, kKeyboardWidth, kKeyboardHeight);
}

QImage drawKeyDownSheet() {
    QImage sheet = blankImage(kKeyDownWidth, kKeyDownHeight, 0xFF1A1A1C);
    for (int k = 0; k < 12; ++k) {
        const QImage board = paintBoard(k);
        const int top = keyTop(k);
        for (int y = 0; y < kKeyDownHeight; ++y) {
            if (top + y < 0) continue;  // above the keyboard: never shown
            for (int x = 0; x < kKeyCell; ++x) {
                sheet.setPixel(k * kKeyCell + x, y, board.pixel(kKeyOffset[k] + x, top + y));
            }
        }
    }
    return sheet;
}

}  // namespace lutavo::assetgen
