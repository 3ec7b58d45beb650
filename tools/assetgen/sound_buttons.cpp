// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_buttons.h"

#include <QPainter>
#include <QPainterPath>

#include "art.h"

namespace lutavo::assetgen {

namespace {

constexpr double kMidY = kSoundPictureHeight / 2.0;

struct GuitarLook {
    QColor bodyEdge;
    QColor bodyCentre;
    QColor neck;
    QColor head;
    bool hollow;  // a sound hole; otherwise pickups
};

QPainterPath ellipse(QPointF centre, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPainterPath rect(const QRectF& r) {
    QPainterPath path;
    path.addRect(r);
    return path;
}

// A waisted body: two bouts joined by a narrower waist, the lower bout on the left.
QPainterPath hollowBody() {
    return ellipse(QPointF(10.5, kMidY), 9.5, 11.5)
        .united(ellipse(QPointF(20.5, kMidY), 6.5, 8.5))
        .united(rect(QRectF(10, kMidY - 7, 11, 14)));
}

// A solid body with two horns reaching along the neck, or a pointed one.
QPainterPath solidBody(bool pointed) {
    if (!pointed) {
        return ellipse(QPointF(10.5, kMidY), 9, 10.5)
            .united(ellipse(QPointF(20, kMidY - 6), 6, 3.5))
            .united(ellipse(QPointF(18.5, kMidY + 6), 5, 3.5))
            .united(rect(QRectF(10, kMidY - 6, 12, 12)));
    }
    QPainterPath body;
    body.moveTo(2, kMidY - 12);
    body.lineTo(25, kMidY - 4);
    body.lineTo(25, kMidY + 4);
    body.lineTo(2, kMidY + 12);
    body.lineTo(8, kMidY);
    body.closeSubpath();
    return body;
}

void drawNeckAndHead(QPainter& p, const GuitarLook& look) {
    p.setPen(Qt::NoPen);
    p.setBrush(look.neck);
    p.drawRect(QRectF(22, kMidY - 1.6, 12.5, 3.2));
    p.setBrush(look.head);
    QPainterPath head;
    head.moveTo(34, kMidY - 2.2);
    head.lineTo(39.2, kMidY - 3.2);
    head.lineTo(39.2, kMidY + 3.2);
    head.lineTo(34, kMidY + 2.2);
    head.closeSubpath();
    p.drawPath(head);
    p.setPen(QPen(QColor(0xD8, 0xD8, 0xD0), 0.4));
    for (int f = 0; f < 5; ++f)
        p.drawLine(QPointF(24 + f * 2.2, kMidY - 1.6), QPointF(24 + f * 2.2, kMidY + 1.6));
}

void drawStrings(QPainter& p, double from) {
    p.setPen(QPen(QColor(0xF4, 0xF0, 0xE0, 0xD0), 0.35));
    for (int s = 0; s < 3; ++s) {
        const double y = kMidY - 1 + s;
        p.drawLine(QPointF(from, y), QPointF(35, y));
    }
}

void drawHollowFace(QPainter& p, bool rosette) {
    p.setPen(QPen(QColor(0x3A, 0x22, 0x10), rosette ? 1.2 : 0.6));
    p.setBrush(QColor(0x1C, 0x10, 0x08));
    p.drawEllipse(QPointF(17, kMidY), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2A, 0x1A, 0x10));
    p.drawRect(QRectF(5.5, kMidY - 3.5, 2, 7));  // bridge
    drawStrings(p, 6.5);
}

void drawSolidFace(QPainter& p, const QColor& pickup) {
    p.setBrush(pickup);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 0.5));
    for (double x : {9.0, 15.5})
        p.drawRoundedRect(QRectF(x, kMidY - 3, 2.5, 6), 0.8, 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0xC8, 0xCC));
    p.drawRect(QRectF(4.5, kMidY - 3, 1.8, 6));
    drawStrings(p, 5.5);
}

void drawBolt(QPainter& p) {
    QPainterPath bolt;
    bolt.moveTo(6, 2);
    bolt.lineTo(11, 2);
    bolt.lineTo(8.5, 7);
    bolt.lineTo(12, 7);
    bolt.lineTo(4.5, 14.5);
    bolt.lineTo(6.8, 8.5);
    bolt.lineTo(3.5, 8.5);
    bolt.closeSubpath();
    p.setPen(QPen(QColor(0x90, 0x40, 0x00), 0.6));
    p.setBrush(QColor(0xFF, 0xD0, 0x20));
    p.drawPath(bolt);
}

GuitarLook lookOf(SoundPicture kind) {
    switch (kind) {
        case SoundPicture::Nylon:
            return {QColor(0xC8, 0x98, 0x50), QColor(0xF0, 0xD8, 0xA0), QColor(0x6A, 0x3C, 0x1C),
                    QColor(0x5A, 0x30, 0x14), true};
        case SoundPicture::Acoustic:
            return {QColor(0x3A, 0x1C, 0x0A), QColor(0xE8, 0xA8, 0x40), QColor(0x4A, 0x2A, 0x14),
                    QColor(0x20, 0x14, 0x0C), true};
        case SoundPicture::Electric:
            return {QColor(0x80, 0x10, 0x10), QColor(0xE0, 0x30, 0x28), QColor(0xD8, 0xB0, 0x70),
                    QColor(0xD0, 0xA8, 0x68), false};
        case SoundPicture::Overdrive:
            return {QColor(0x10, 0x10, 0x18), QColor(0x40, 0x30, 0x60), QColor(0x30, 0x20, 0x14),
                    QColor(0x18, 0x18, 0x1C), false};
    }
    return {};
}

}  // namespace

QImage drawSoundPicture(SoundPicture kind) {
    QImage image = blankImage(kSoundPictureWidth, kSoundPictureHeight, 0xFFF4F0E6);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const GuitarLook look = lookOf(kind);
    drawNeckAndHead(p, look);
    const QPainterPath body =
        look.hollow ? hollowBody() : solidBody(kind == SoundPicture::Overdrive);
    QRadialGradient finish(QPointF(12, kMidY), 12);
    finish.setColorAt(0.0, look.bodyCentre);
    finish.setColorAt(kind == SoundPicture::Acoustic ? 0.55 : 0.8, look.bodyCentre);
    finish.setColorAt(1.0, look.bodyEdge);
    p.setPen(QPen(look.bodyEdge.darker(150), 0.8));
    p.setBrush(finish);
    p.drawPath(body);
    if (look.hollow) {
        drawHollowFace(p, kind == SoundPicture::Nylon);
    } else {
        drawSolidFace(p, kind == SoundPicture::Electric ? QColor(0xF4, 0xEE, 0xDC)
                                                        : QColor(0x18, 0x18, 0x1C));
    }
    if (kind == SoundPicture::Overdrive) drawBolt(p);
    return image;
}

}  // namespace lutavo::assetgen
