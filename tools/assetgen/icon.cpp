// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <array>

namespace lutavo::assetgen {

namespace {

enum class Kind { RoundRect, Rect, Circle };

// One shape on the 256-unit canvas; stroke 0 means none.
struct Shape {
    Kind kind;
    double x, y, w, h;  // a circle's centre is (x, y) and its radius w
    QRgb fill;
    QRgb stroke;
    double strokeWidth;
};

constexpr QRgb kBackground = 0x2F4858, kWood = 0x6B4226, kBone = 0xEDE3CF, kFret = 0xC9C2B4,
               kString = 0xE8E2D4, kMarker = 0xE0663C, kMarkerRim = 0xFFF6EA;

// Background, neck, nut, three frets, six strings (thicker towards the low string), markers.
constexpr std::array<Shape, 14> kShapes = {{
    {Kind::RoundRect, 8, 8, 240, 240, kBackground, 0, 0},
    {Kind::Rect, 24, 60, 208, 136, kWood, 0, 0},
    {Kind::Rect, 24, 60, 16, 136, kBone, 0, 0},
    {Kind::Rect, 94, 60, 6, 136, kFret, 0, 0},
    {Kind::Rect, 152, 60, 6, 136, kFret, 0, 0},
    {Kind::Rect, 202, 60, 6, 136, kFret, 0, 0},
    {Kind::Rect, 24, 72, 208, 2, kString, 0, 0},
    {Kind::Rect, 24, 94, 208, 2.5, kString, 0, 0},
    {Kind::Rect, 24, 116, 208, 3, kString, 0, 0},
    {Kind::Rect, 24, 138, 208, 3.5, kString, 0, 0},
    {Kind::Rect, 24, 160, 208, 4, kString, 0, 0},
    {Kind::Rect, 24, 182, 208, 4.5, kString, 0, 0},
    {Kind::Circle, 126, 117, 17, 0, kMarker, kMarkerRim, 4},
    {Kind::Circle, 180, 161, 17, 0, kMarker, kMarkerRim, 4},
}};

constexpr double kCornerRadius = 44;

QString hex(QRgb c) {
    return QColor(c).name();
}

}  // namespace

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    for (const Shape& s : kShapes) {
        p.setBrush(QColor(s.fill));
        p.setPen(s.strokeWidth > 0 ? QPen(QColor(s.stroke), s.strokeWidth) : QPen(Qt::NoPen));
        switch (s.kind) {
            case Kind::RoundRect:
                p.drawRoundedRect(QRectF(s.x, s.y, s.w, s.h), kCornerRadius, kCornerRadius);
                break;
            case Kind::Rect:
                p.drawRect(QRectF(s.x, s.y, s.w, s.h));
                break;
            case Kind::Circle:
                p.drawEllipse(QPointF(s.x, s.y), s.w, s.w);
                break;
        }
    }
    return image;
}

QString iconSvg() {
    QString out =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
        "viewBox=\"0 0 256 256\">\n";
    for (const Shape& s : kShapes) {
        QString paint = QString("fill=\"%1\"").arg(hex(s.fill));
        if (s.strokeWidth > 0)
            paint +=
                QString(" stroke=\"%1\" stroke-width=\"%2\"").arg(hex(s.stroke)).arg(s.strokeWidth);
        switch (s.kind) {
            case Kind::RoundRect:
            case Kind::Rect: {
                const double r = s.kind == Kind::RoundRect ? kCornerRadius : 0;
                out +=
                    QString("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" %6/>\n")
                        .arg(s.x)
                        .arg(s.y)
                        .arg(s.w)
                        .arg(s.h)
                        .arg(r)
                        .arg(paint);
                break;
            }
            case Kind::Circle:
                out += QString("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" %4/>\n")
                           .arg(s.x)
                           .arg(s.y)
                           .arg(s.w)
                           .arg(paint);
                break;
        }
    }
    return out + "</svg>\n";
}

bool writeIcons(const QString& folder, QString* error) {
    if (!QDir().mkpath(folder)) {
        *error = "cannot make " + folder;
        return false;
    }
    for (const int size : kIconSizes) {
        const QString path = QString("%1/lutavo-%2.png").arg(folder).arg(size);
        if (!drawIcon(size).save(path, "PNG")) {
            *error = "cannot write " + path;
            return false;
        }
    }
    QFile svg(folder + "/lutavo.svg");
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        svg.write(iconSvg().toUtf8()) < 0) {
        *error = "cannot write " + svg.fileName();
        return false;
    }
    return true;
}

}  // namespace lutavo::assetgen
