// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/qt/qt_screen.h"

#include <QCoreApplication>
#include <QPixmap>

#include "services/qt/picture_qimage.h"

namespace lutavo {

QtScreen::QtScreen(QWidget* widget, std::function<void()> sync)
    : widget_(widget), sync_(std::move(sync)) {}

namespace {

// The rectangle as the window shows it, one image pixel per window pixel.
QImage grabPlain(QWidget& widget, const QRect& inside) {
    QImage image = widget.grab(inside).toImage();
    // On a high-density screen the grab has more pixels than the rectangle: bring it back.
    if (!image.isNull() && image.size() != inside.size())
        image = image.scaled(inside.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

// The rectangle drawn afresh at scale times its size: text and finer pictures come out sharp.
QImage grabScaled(QWidget& widget, const QRect& inside, int scale) {
    QImage image(inside.size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    widget.render(&image, QPoint(), QRegion(inside));
    image.setDevicePixelRatio(1);
    return image;
}

}  // namespace

bool QtScreen::grab(int x, int y, int width, int height, int scale, Picture& out) {
    if (widget_ == nullptr || width <= 0 || height <= 0 || scale < 1) return false;
    // Only the part inside the widget is rendered; the rest stays white.
    const QRect wanted(x, y, width, height);
    const QRect inside = wanted.intersected(widget_->rect());
    const QImage image = inside.isEmpty() ? QImage()
                         : scale == 1     ? grabPlain(*widget_, inside)
                                          : grabScaled(*widget_, inside, scale);
    if (!inside.isEmpty() && image.isNull()) return false;
    // The usual case, all inside, needs no second picture of that size (printing grabs large).
    if (inside == wanted) {
        out = toPicture(image);
        return true;
    }
    out.resize(width * scale, height * scale);
    if (inside.isEmpty()) return true;
    out.blitAll((inside.x() - x) * scale, (inside.y() - y) * scale, toPicture(image),
                RasterOp::Copy);
    return true;
}

void QtScreen::processEvents() {
    QCoreApplication::processEvents();
}

void QtScreen::present() {
    if (sync_) sync_();
    if (widget_ != nullptr) widget_->repaint();
    QCoreApplication::processEvents();
}

}  // namespace lutavo
