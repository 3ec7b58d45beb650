// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/qt/picture_qimage.h"

#include <QPainter>

namespace lutavo {

QImage toQImage(const Picture& picture) {
    QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
    const int width = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const Rgb* from = picture.pixels().data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x)
            line[x] = 0xFF000000u | from[x];
    }
    return image;
}

namespace {

QImage opaqueRgb32(const QImage& image) {
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

}  // namespace

Picture toPicture(const QImage& image) {
    if (image.isNull()) return Picture();
    const QImage rgb = opaqueRgb32(image);
    Picture picture(rgb.width(), rgb.height());
    const int width = rgb.width();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, line[x] & 0xFFFFFFu);
    }
    return picture;
}

}  // namespace lutavo
