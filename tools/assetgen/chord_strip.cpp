// SPDX-License-Identifier: GPL-3.0-or-later
#include "chord_strip.h"

#include <QLinearGradient>
#include <QPainterPath>

#include "art.h"

namespace lutavo::assetgen {

namespace {

struct ChordType {
    const char* name;
    const char* formula;
    const char* symbol;  // as written after the root
    const char* alteration;
};

// The order of the library's 25 chord types.
const ChordType kTypes[kChordTypes] = {
    {"Major", "1 3 5", "maj", ""},
    {"Sixth", "1 3 5 6", "6", ""},
    {"Major 7th", "1 3 5 7", "maj7", ""},
    {"Suspended 4th", "1 4 5", "sus4", ""},
    {"Minor", "1 b3 5", "m", ""},
    {"Diminished", "1 b3 b5", "dim", ""},
    {"Minor 6th", "1 b3 5 6", "m6", ""},
    {"Minor 7th", "1 b3 5 b7", "m7", ""},
    {"Minor 7th Flat 5th", "1 b3 b5 b7", "m7", "\u266D5"},
    {"Minor 7th Sharp 5th", "1 b3 #5 b7", "m7", "\u266F5"},
    {"Minor 7th Flat 9th", "1 b3 5 b7 b9", "m7", "\u266D9"},
    {"Minor Major 7th", "1 b3 5 7", "m", "maj7"},
    {"Minor 9th", "1 b3 5 b7 9", "m9", ""},
    {"7th", "1 3 5 b7", "7", ""},
    {"Augmented", "1 3 #5", "aug", ""},
    {"7th Suspended 4th", "1 4 5 b7", "7", "sus4"},
    {"7th Flat 5th", "1 3 b5 b7", "7", "\u266D5"},
    {"7th Augmented 5th", "1 3 #5 b7", "7", "\u266F5"},
    {"7th Flat 9th", "1 3 5 b7 b9", "7", "\u266D9"},
    {"7th Sharp 9th", "1 3 5 b7 #9", "7", "\u266F9"},
    {"9th", "1 3 5 b7 9", "9", ""},
    {"9th Flat 5th", "1 3 b5 b7 9", "9", "\u266D5"},
    {"9th Sharp 5th", "1 3 #5 b7 9", "9", "\u266F5"},
    {"11th", "1 3 5 b7 9 11", "11", ""},
    {"13th", "1 3 5 b7 9 13", "13", ""},
};

// Buttons are tinted by harmonic function: major 1..4, minor 5..13, seventh 14..25.
QColor groupTint(int type) {
    if (type <= 4) return QColor(0xD6, 0xE4, 0xF8);
    if (type <= 13) return QColor(0xD8, 0xF0, 0xD4);
    return QColor(0xF8, 0xE2, 0xC8);
}

void drawButton(QPainter& painter, const Fonts& fonts, int type, bool chosen) {
    const QRectF box(kChordButtonWidth * type + 0.5, 1.5, kChordButtonWidth - 2.0,
                     kChordBandHeight - 3.0);
    const ChordType& t = kTypes[type - 1];
    drawTypeButton(painter, fonts, {box, groupTint(type), chosen}, QString::fromUtf8(t.symbol),
                   QString::fromUtf8(t.alteration));
}

// A little chord box in the unused first 25 pixels of the strip.
void drawChordIcon(QPainter& painter) {
    painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.0));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i)
        painter.drawLine(QPointF(5.5 + 3 * i, 6.5), QPointF(5.5 + 3 * i, 22.5));
    for (int j = 0; j < 5; ++j)
        painter.drawLine(QPointF(5.5, 6.5 + 4 * j), QPointF(17.5, 6.5 + 4 * j));
    painter.setBrush(QColor(0x20, 0x20, 0x20));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(8.5, 12.5), 1.6, 1.6);
    painter.drawEllipse(QPointF(11.5, 16.5), 1.6, 1.6);
    painter.drawEllipse(QPointF(14.5, 16.5), 1.6, 1.6);
}

}  // namespace

void drawTypeButton(QPainter& painter, const Fonts& fonts, const TypeButton& button,
                    const QString& top, const QString& bottom) {
    const QRectF& box = button.box;
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    const QColor base = button.chosen ? QColor(0xC0, 0x30, 0x26) : button.tint;
    fill.setColorAt(0.0, base.lighter(112));
    fill.setColorAt(1.0, base.darker(108));
    painter.setBrush(fill);
    painter.setPen(QPen(button.chosen ? QColor(0x70, 0x14, 0x10) : QColor(0x8C, 0x8C, 0x8C), 1.0));
    painter.drawRoundedRect(box, 3, 3);
    painter.setPen(button.chosen ? Qt::white : QColor(0x20, 0x20, 0x28));
    painter.setFont(fonts.font(Face::SansCondensedBold, 9));
    if (bottom.isEmpty()) {
        painter.drawText(box, Qt::AlignCenter, top);
        return;
    }
    painter.drawText(box.adjusted(0, 2, 0, -box.height() / 2), Qt::AlignHCenter | Qt::AlignBottom,
                     top);
    painter.drawText(box.adjusted(0, box.height() / 2, 0, -1), Qt::AlignHCenter | Qt::AlignTop,
                     bottom);
}

QImage drawChordCell(const Fonts& fonts, int chosen) {
    QImage cell = blankImage(kChordCellWidth, kChordCellHeight);
    QPainter painter(&cell);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(QRect(0, 0, kChordCellWidth, kChordBandHeight), QColor(0xEE, 0xEC, 0xE4));
    drawChordIcon(painter);
    for (int type = 1; type <= kChordTypes; ++type)
        drawButton(painter, fonts, type, type == chosen + 1);
    const ChordType& t = kTypes[chosen];
    painter.setPen(QColor(0x20, 0x20, 0x28));
    painter.setFont(fonts.font(Face::SerifBold, 24));
    painter.drawText(QRectF(0, 60, 620, 36), Qt::AlignCenter, QString::fromUtf8(t.name));
    painter.setFont(fonts.font(Face::Sans, 16));
    painter.drawText(QRectF(0, 100, 620, 24), Qt::AlignCenter, QString::fromUtf8(t.formula));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setFont(fonts.font(Face::Sans, 12));
    painter.drawText(QRectF(0, 134, 620, 20), Qt::AlignCenter,
                     QStringLiteral("Finding chord shapes\u2026"));
    return cell;
}

QImage drawChordStrip(const Fonts& fonts) {
    QImage strip = blankImage(kChordCellWidth, kChordCellHeight * kChordTypes);
    QPainter painter(&strip);
    for (int c = 0; c < kChordTypes; ++c) {
        painter.drawImage(0, c * kChordCellHeight, drawChordCell(fonts, c));
    }
    return strip;
}

QImage drawDefaultLessonPicture(const Fonts& fonts) {
    QImage image = blankImage(kLessonPictureWidth, kLessonPictureHeight);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient sky(0, 0, 0, kLessonPictureHeight);
    sky.setColorAt(0.0, QColor(0xFD, 0xF6, 0xE3));
    sky.setColorAt(1.0, QColor(0xEE, 0xDC, 0xB8));
    painter.fillRect(image.rect(), sky);
    // A guitar lying across the left half: body of two rounded lobes, sound hole, neck, head.
    painter.save();
    painter.translate(58, 48);
    painter.rotate(-28);
    QPainterPath body;
    body.addEllipse(QPointF(-14, 0), 20, 18);
    body.addEllipse(QPointF(12, 0), 15, 13.5);
    body.setFillRule(Qt::WindingFill);
    QLinearGradient wood(-30, -18, 20, 18);
    wood.setColorAt(0.0, QColor(0xE8, 0xB0, 0x5C));
    wood.setColorAt(1.0, QColor(0xA8, 0x62, 0x24));
    painter.setPen(QPen(QColor(0x5A, 0x30, 0x10), 1.4));
    painter.setBrush(wood);
    painter.drawPath(body.simplified());
    painter.setBrush(QColor(0x2A, 0x18, 0x0C));
    painter.drawEllipse(QPointF(5, 0), 6, 6);
    painter.setBrush(QColor(0x4E, 0x32, 0x23));
    painter.drawRect(QRectF(12, -3, 44, 6));
    painter.setBrush(QColor(0x3A, 0x22, 0x14));
    painter.drawRoundedRect(QRectF(56, -5, 14, 10), 2, 2);
    painter.setPen(QPen(QColor(0xEE, 0xEE, 0xEE), 0.5));
    for (int s = 0; s < 3; ++s)
        painter.drawLine(QPointF(-22, -1.5 + 1.5 * s), QPointF(60, -1.5 + 1.5 * s));
    painter.restore();
    painter.setPen(QColor(0x5A, 0x30, 0x10));
    painter.setFont(fonts.font(Face::SerifBold, 22));
    painter.drawText(QRectF(108, 14, 128, 32), Qt::AlignCenter, QStringLiteral("Lutavo"));
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.setFont(fonts.font(Face::Sans, 12));
    painter.drawText(QRectF(108, 46, 128, 20), Qt::AlignCenter, QStringLiteral("Guitar lessons"));
    painter.setPen(QPen(QColor(0xA8, 0x62, 0x24), 1.0));
    painter.drawLine(QPointF(128, 70.5), QPointF(216, 70.5));
    return image;
}

}  // namespace lutavo::assetgen
