// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointers.h"

#include <QPainterPath>
#include <QPolygonF>

#include "art.h"
#include "sheet_layout.h"

namespace lutavo::assetgen {

namespace {

using namespace layout;

QImage drawArrow(int width, int height, const QPolygonF& shape, QColor light, QColor dark) {
    QImage image = blankImage(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient fill(0, 0, width, height);
    fill.setColorAt(0.0, light);
    fill.setColorAt(1.0, dark);
    painter.setBrush(fill);
    painter.setPen(QPen(dark.darker(150), 1.0));
    painter.drawPolygon(shape);
    return image;
}

}  // namespace

QImage drawNotePointer() {
    const double w = kPointerWidth;
    const double h = kPointerHeight;
    const QPolygonF shape({{w / 2, 0.5}, {w - 1.0, h - 0.8}, {1.0, h - 0.8}});
    return drawArrow(kPointerWidth, kPointerHeight, shape, QColor(0xFF, 0x7A, 0x5C),
                     QColor(0xC0, 0x1E, 0x1E));
}

QImage drawLinePointer() {
    const double w = kLinePointerWidth;
    const double h = kLinePointerHeight;
    const QPolygonF shape({{0.8, 1.0}, {w - 0.5, h / 2}, {0.8, h - 1.0}});
    return drawArrow(kLinePointerWidth, kLinePointerHeight, shape, QColor(0xFF, 0x7A, 0x5C),
                     QColor(0xC0, 0x1E, 0x1E));
}

QImage drawSlotPointer() {
    const double w = kSlotPointerWidth;
    const double h = kSlotPointerHeight;
    const QPolygonF shape({{w / 2, 0.5}, {w - 2.0, h - 0.8}, {2.0, h - 0.8}});
    return drawArrow(kSlotPointerWidth, kSlotPointerHeight, shape, QColor(0x7A, 0xB4, 0xFF),
                     QColor(0x1E, 0x4E, 0xB0));
}

}  // namespace lutavo::assetgen
