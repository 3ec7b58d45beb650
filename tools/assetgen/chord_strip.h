// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chord-type strip of the chord library, and the default lesson picture.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "fonts.h"

namespace lutavo::assetgen {

inline constexpr int kChordTypes = 25;
inline constexpr int kChordCellWidth = 650;   // the strip's clicks reach x = 26 * 375 twips
inline constexpr int kChordCellHeight = 200;  // the page area of the library (3000 twips)
inline constexpr int kChordBandHeight = 29;   // the band left visible above the score panel
inline constexpr int kChordButtonWidth = 25;  // 375 twips per chord type, type c from x = 25c

// "ch_all.bmp": 25 cells of 650 x 200 stacked top to bottom; cell c - 1 shows the strip with
// type c chosen, and under it the type's name for the moment the search runs.
QImage drawChordStrip(const Fonts& fonts);

// One cell of the strip (0-based), as it sits in the sheet.
QImage drawChordCell(const Fonts& fonts, int chosen);

// One button of a strip of types: a rounded box tinted by group, red when chosen, with one
// line of caption or two.
struct TypeButton {
    QRectF box;
    QColor tint;
    bool chosen = false;
};
void drawTypeButton(QPainter& painter, const Fonts& fonts, const TypeButton& button,
                    const QString& top, const QString& bottom);

inline constexpr int kLessonPictureWidth = 240;
inline constexpr int kLessonPictureHeight = 90;

// "defaultl.bmp": the lesson panel's picture when a lesson names none.
QImage drawDefaultLessonPicture(const Fonts& fonts);

}  // namespace lutavo::assetgen
