// SPDX-License-Identifier: GPL-3.0-or-later
#include "scale_strip.h"

#include "art.h"
#include "chord_strip.h"

namespace lutavo::assetgen {

namespace {

struct ScaleKind {
    const char* top;
    const char* bottom;
    const char* name;
    const char* formula;
};

// The order of the library's 12 scale types.
const ScaleKind kKinds[kScaleTypes] = {
    {"Major", "", "Major", "1 2 3 4 5 6 7"},
    {"Natural", "minor", "Natural Minor", "1 2 b3 4 5 b6 b7"},
    {"Harmonic", "minor", "Harmonic Minor", "1 2 b3 4 5 b6 7"},
    {"Melodic", "minor", "Melodic Minor", "1 2 b3 4 5 6 7"},
    {"Major", "pent.", "Major Pentatonic", "1 2 3 5 6"},
    {"Minor", "pent.", "Minor Pentatonic", "1 b3 4 5 b7"},
    {"Blues", "", "Blues", "1 b3 4 b5 5 b7"},
    {"Dorian", "", "Dorian", "1 2 b3 4 5 6 b7"},
    {"Phrygian", "", "Phrygian", "1 b2 b3 4 5 b6 b7"},
    {"Lydian", "", "Lydian", "1 2 3 #4 5 6 7"},
    {"Mixo-", "lydian", "Mixolydian", "1 2 3 4 5 6 b7"},
    {"Locrian", "", "Locrian", "1 b2 b3 4 b5 b6 b7"},
};

// Major and minor scales, pentatonics and blues, modes.
QColor groupTint(int type) {
    if (type <= 4) return QColor(0xD6, 0xE4, 0xF8);
    if (type <= 7) return QColor(0xD8, 0xF0, 0xD4);
    return QColor(0xF8, 0xE2, 0xC8);
}

// Five notes climbing a staff in the strip's first cell.
void drawScaleIcon(QPainter& painter) {
    painter.setPen(QPen(QColor(0x50, 0x50, 0x50), 1.0));
    for (int line = 0; line < 5; ++line)
        painter.drawLine(QPointF(6.5, 6.5 + 4 * line), QPointF(43.5, 6.5 + 4 * line));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x20, 0x20, 0x20));
    for (int k = 0; k < 5; ++k)
        painter.drawEllipse(QPointF(11.5 + 7 * k, 22.5 - 3 * k), 2.4, 1.8);
}

QImage drawScaleCell(const Fonts& fonts, int chosen) {
    QImage cell = blankImage(kChordCellWidth, kChordCellHeight);
    QPainter painter(&cell);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(QRect(0, 0, kChordCellWidth, kChordBandHeight), QColor(0xEE, 0xEC, 0xE4));
    drawScaleIcon(painter);
    for (int type = 1; type <= kScaleTypes; ++type) {
        const QRectF box(kScaleButtonWidth * type + 0.5, 1.5, kScaleButtonWidth - 2.0,
                         kChordBandHeight - 3.0);
        const ScaleKind& k = kKinds[type - 1];
        drawTypeButton(painter, fonts, {box, groupTint(type), type == chosen + 1},
                       QString::fromUtf8(k.top), QString::fromUtf8(k.bottom));
    }
    const ScaleKind& k = kKinds[chosen];
    painter.setPen(QColor(0x20, 0x20, 0x28));
    painter.setFont(fonts.font(Face::SerifBold, 24));
    painter.drawText(QRectF(0, 60, 620, 36), Qt::AlignCenter, QString::fromUtf8(k.name));
    painter.setFont(fonts.font(Face::Sans, 16));
    painter.drawText(QRectF(0, 100, 620, 24), Qt::AlignCenter, QString::fromUtf8(k.formula));
    return cell;
}

}  // namespace

QImage drawScaleStrip(const Fonts& fonts) {
    QImage strip = blankImage(kChordCellWidth, kChordCellHeight * kScaleTypes);
    QPainter painter(&strip);
    for (int c = 0; c < kScaleTypes; ++c)
        painter.drawImage(0, c * kChordCellHeight, drawScaleCell(fonts, c));
    return strip;
}

}  // namespace lutavo::assetgen
