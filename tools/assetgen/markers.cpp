// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers.h"

#include <string>

#include "art.h"
#include "neck.h"
#include "pixel_font.h"
#include "sheet_layout.h"

namespace lutavo::assetgen {

namespace {

using namespace layout;

struct MarkerLook {
    QColor fill;
    QColor light;
    QColor rim;
    QRgb text;
};

MarkerLook lookFor(MarkerKind kind) {
    if (kind == MarkerKind::Struck) {
        return {QColor(0x2E, 0xC8, 0x3E), QColor(0x9C, 0xF5, 0x9C), QColor(0x0E, 0x5E, 0x1A), kInk};
    }
    return {QColor(0x1C, 0x6E, 0x2A), QColor(0x4A, 0xA0, 0x56), QColor(0x08, 0x34, 0x10), kPaper};
}

// Copies replace the neck under the whole cell, so the corners carry the fingerboard's colour.
void drawDisc(QImage& sheet, int x, int y, const MarkerLook& look) {
    fillBox(sheet, x, y, kMarker, kMarker, fingerboardColour());
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient gloss(QPointF(x + 4.5, y + 4.0), 8.0);
    gloss.setColorAt(0.0, look.light);
    gloss.setColorAt(0.6, look.fill);
    gloss.setColorAt(1.0, look.fill.darker(115));
    painter.setBrush(gloss);
    painter.setPen(QPen(look.rim, 1.0));
    painter.drawEllipse(QRectF(x + 0.5, y + 0.5, kMarker - 1.0, kMarker - 1.0));
}

void drawName(QImage& sheet, int x, int y, const std::string& name, QRgb ink) {
    // One letter in the full face; a letter with its sign in the narrow one.
    const PixelFace face = name.size() == 1 ? PixelFace::Regular : PixelFace::Narrow;
    const int width = pixelTextWidth(name, face);
    drawPixelText(sheet, x + (kMarker - width) / 2, y + 3, name, face, ink);
}

}  // namespace

QImage drawMarkerSheet(MarkerKind kind) {
    static const char* const kSharpNames[12] = {"E",  "F", "F#", "G",  "G#", "A",
                                                "A#", "B", "C",  "C#", "D",  "D#"};
    static const char* const kFlatNames[12] = {"E",  "F", "Gb", "G",  "Ab", "A",
                                               "Bb", "B", "C",  "Db", "D",  "Eb"};
    const MarkerLook look = lookFor(kind);
    QImage sheet = blankImage(kMarkerSheetWidth, kMarkerSheetHeight);
    for (int row = 0; row < 2; ++row) {
        for (int cell = 0; cell < 13; ++cell)
            drawDisc(sheet, cell * kMarker, row * kMarker, look);
    }
    for (int cell = 0; cell < 12; ++cell) {
        drawName(sheet, cell * kMarker, 0, kSharpNames[cell], look.text);
        drawName(sheet, cell * kMarker, kMarker, kFlatNames[cell], look.text);
    }
    stamp(sheet, kMarkerCrossX + 3, kMarkerCrossY + 3,
          {"##..##", ".####.", "..##..", "..##..", ".####.", "##..##"}, look.text);
    return sheet;
}

}  // namespace lutavo::assetgen
