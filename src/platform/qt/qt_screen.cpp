#include "platform/qt/qt_screen.h"

#include <QCoreApplication>
#include <QPixmap>

#include "platform/qt/picture_qimage.h"

namespace lutavo {

QtScreen::QtScreen(QWidget* widget, std::function<void()> sync)
    : widget_(widget), sync_(std::move(sync)) {}

bool QtScreen::grab(int x, int y, int width, int height, Picture& out) {
    if (widget_ == nullptr || width <= 0 || height <= 0) return false;
    out.resize(width, height);
    // Only the part inside the widget is rendered; the rest stays white.
    const QRect wanted(x, y, width, height);
    const QRect inside = wanted.intersected(widget_->rect());
    if (inside.isEmpty()) return true;
    QImage image = widget_->grab(inside).toImage();
    if (image.isNull()) return false;
    // On a high-density screen the grab has more pixels than the rectangle: bring it back to
    // one image pixel per window pixel.
    if (image.size() != inside.size())
        image = image.scaled(inside.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const Picture part = toPicture(image);
    out.blitAll(inside.x() - x, inside.y() - y, part, RasterOp::Copy);
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
