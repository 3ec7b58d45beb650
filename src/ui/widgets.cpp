// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include "ui/view_units.h"

namespace lutavo {

namespace {

const QColor kFaceTop(0xFB, 0xF9, 0xF4);
const QColor kFaceBottom(0xE4, 0xDD, 0xCF);
const QColor kSunkTop(0xC9, 0xBF, 0xAC);
const QColor kSunkBottom(0xDD, 0xD5, 0xC5);
const QColor kBorder(0xA3, 0x98, 0x84);
const QColor kBorderHover(0x6E, 0x5A, 0x40);
const QColor kGlyphInk(0x3B, 0x33, 0x2A);

constexpr int kGlyphSize = 9;

void drawTriangle(QPainter& p, QRectF r, bool pointingRight) {
    QPainterPath path;
    if (pointingRight) {
        path.moveTo(r.left(), r.top());
        path.lineTo(r.right(), r.center().y());
        path.lineTo(r.left(), r.bottom());
    } else {
        path.moveTo(r.right(), r.top());
        path.lineTo(r.left(), r.center().y());
        path.lineTo(r.right(), r.bottom());
    }
    path.closeSubpath();
    p.fillPath(path, p.brush());
}

// Symbols in the usual media-player shapes, drawn with the painter so they stay sharp at any
// screen density.
void drawGlyph(QPainter& p, Glyph glyph, QRectF r) {
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyphInk);
    const qreal w = r.width();
    const qreal h = r.height();
    switch (glyph) {
        case Glyph::None:
            break;
        case Glyph::Rewind:
            drawTriangle(p, QRectF(r.left(), r.top(), w / 2, h), false);
            drawTriangle(p, QRectF(r.left() + w / 2, r.top(), w / 2, h), false);
            break;
        case Glyph::Forward:
            drawTriangle(p, QRectF(r.left(), r.top(), w / 2, h), true);
            drawTriangle(p, QRectF(r.left() + w / 2, r.top(), w / 2, h), true);
            break;
        case Glyph::Play:
            drawTriangle(p, r.adjusted(1, 0, -1, 0), true);
            break;
        case Glyph::Pause:
            p.drawRect(QRectF(r.left() + 1, r.top(), w / 3, h));
            p.drawRect(QRectF(r.right() - 1 - w / 3, r.top(), w / 3, h));
            break;
        case Glyph::Back:
            p.drawRect(QRectF(r.left(), r.top(), 1.6, h));
            drawTriangle(p, QRectF(r.left() + 2, r.top(), w - 2, h), false);
            break;
        case Glyph::Next:
            drawTriangle(p, QRectF(r.left(), r.top(), w - 2, h), true);
            p.drawRect(QRectF(r.right() - 1.6, r.top(), 1.6, h));
            break;
        case Glyph::Stop:
            p.drawRect(r.adjusted(1, 1, -1, -1));
            break;
        case Glyph::Repeat: {
            QPen pen(kGlyphInk, 1.4);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawArc(r.adjusted(0.5, 1, -0.5, -1), 30 * 16, 300 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(kGlyphInk);
            drawTriangle(p, QRectF(r.right() - 3.5, r.top() - 0.5, 4, 4), true);
            break;
        }
        case Glyph::Sound: {
            QPainterPath path;
            path.moveTo(r.left(), r.top() + h * 0.35);
            path.lineTo(r.left() + w * 0.3, r.top() + h * 0.35);
            path.lineTo(r.left() + w * 0.6, r.top());
            path.lineTo(r.left() + w * 0.6, r.bottom());
            path.lineTo(r.left() + w * 0.3, r.top() + h * 0.65);
            path.lineTo(r.left(), r.top() + h * 0.65);
            path.closeSubpath();
            p.fillPath(path, kGlyphInk);
            p.setPen(QPen(kGlyphInk, 1.1));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(r.left() + w * 0.35, r.top() + h * 0.2, w * 0.6, h * 0.6), -50 * 16,
                      100 * 16);
            break;
        }
        case Glyph::Metronome: {
            QPainterPath path;
            path.moveTo(r.left() + w * 0.3, r.top());
            path.lineTo(r.left() + w * 0.7, r.top());
            path.lineTo(r.right(), r.bottom());
            path.lineTo(r.left(), r.bottom());
            path.closeSubpath();
            p.fillPath(path, kGlyphInk);
            p.setPen(QPen(kFaceTop, 1.2));
            p.drawLine(QPointF(r.center().x(), r.bottom() - 1),
                       QPointF(r.right() - 1, r.top() + 1));
            break;
        }
        case Glyph::Setup: {
            p.setPen(QPen(kGlyphInk, 1.2));
            for (int i = 0; i < 3; ++i) {
                const qreal y = r.top() + 1 + i * (h - 2) / 2;
                p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
                const qreal knob = r.left() + w * (i == 1 ? 0.7 : 0.3);
                p.setBrush(kGlyphInk);
                p.drawEllipse(QPointF(knob, y), 1.5, 1.5);
            }
            break;
        }
        case Glyph::Close: {
            p.setPen(QPen(kGlyphInk, 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(r.topLeft() + QPointF(1, 1), r.bottomRight() - QPointF(1, 1));
            p.drawLine(r.topRight() + QPointF(-1, 1), r.bottomLeft() + QPointF(1, -1));
            break;
        }
    }
}

}  // namespace

CommandButton::CommandButton(QWidget* parent) : QAbstractButton(parent) {
    // Buttons take clicks, not the keyboard: Space and the cursor keys belong to the window.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void CommandButton::setCaptionColor(const QColor& color) {
    if (color == captionColor_) return;
    captionColor_ = color;
    update();
}

void CommandButton::setSunk(bool sunk) {
    if (sunk == sunk_) return;
    sunk_ = sunk;
    update();
}

void CommandButton::setGlyph(Glyph glyph) {
    glyph_ = glyph;
    update();
}

void CommandButton::setCaptionPointSize(qreal points) {
    pointSize_ = points;
    update();
}

void CommandButton::setZoom(double factor) {
    if (factor == zoom_) return;
    zoom_ = factor;
    update();
}

QSize CommandButton::sizeHint() const {
    return {60, 22};
}

void CommandButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CommandButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CommandButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn in the designed size, which the zoom enlarges.
    p.scale(zoom_, zoom_);
    const double w = width() / zoom_;
    const double h = height() / zoom_;
    const bool down = sunk_ || isDown();
    const QRectF face = QRectF(0, 0, w, h).adjusted(0.5, 0.5, -0.5, -0.5);

    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, down ? kSunkTop : kFaceTop);
    fill.setColorAt(1, down ? kSunkBottom : kFaceBottom);
    p.setPen(QPen(hovered_ && isEnabled() ? kBorderHover : kBorder, 1));
    p.setBrush(fill);
    p.drawRoundedRect(face, 3, 3);
    if (hasFocus()) {
        p.setPen(QPen(QColor(0x8A, 0x70, 0x4C, 120), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face.adjusted(2, 2, -2, -2), 2, 2);
    }

    QFont font = p.font();
    font.setPointSizeF(pointSize_);
    font.setBold(true);
    p.setFont(font);
    const QString caption = text();
    const int textWidth = p.fontMetrics().horizontalAdvance(caption);
    const bool withGlyph = glyph_ != Glyph::None;
    const int gap = withGlyph && !caption.isEmpty() ? 4 : 0;
    const int total = textWidth + (withGlyph ? kGlyphSize + gap : 0);
    const qreal offset = down ? 0.6 : 0.0;
    qreal x = (w - total) / 2.0 + offset;
    if (!isEnabled()) p.setOpacity(0.55);
    if (withGlyph) {
        const qreal top = (h - kGlyphSize) / 2.0 + offset;
        drawGlyph(p, glyph_, QRectF(x, top, kGlyphSize, kGlyphSize));
        x += kGlyphSize + gap;
    }
    p.setPen(captionColor_.isValid() ? captionColor_ : palette().color(QPalette::ButtonText));
    p.drawText(QRectF(x, offset, textWidth + 2, h), Qt::AlignVCenter | Qt::AlignLeft, caption);
}

PictureView::PictureView(QWidget* parent) : QWidget(parent) {}

void PictureView::setImage(const QImage& image) {
    image_ = image;
    file_.reset();
    update();
}

void PictureView::setImageFile(FileImageRef file) {
    file_ = std::move(file);
    image_ = QImage();
    update();
}

QSize PictureView::imageSize() const {
    return file_ != nullptr ? file_->size() : image_.size();
}

void PictureView::setFineImage(const QImage& image) {
    if (image.isNull() && fine_.isNull()) return;
    fine_ = image;
    fineResampled_ = QImage();
    update();
}

void PictureView::setZoom(Zoom zoom) {
    if (zoom.percent == zoom_.percent) return;
    zoom_ = zoom;
    update();
}

const QImage& PictureView::fineAt(QSize size) {
    if (fine_.size() == size) return fine_;
    if (fineResampled_.size() != size) {
        fineResampled_ = fine_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return fineResampled_;
}

void PictureView::paintEvent(QPaintEvent*) {
    const QImage& image = shown();
    if (image.isNull()) return;
    QPainter p(this);
    const QRect area(0, 0, zoom_.pixels(image.width()), zoom_.pixels(image.height()));
    // The engine's device, not the widget: a grab at a finer scale redirects the painting into
    // an image of that density.
    const double density = p.paintEngine()->paintDevice()->devicePixelRatioF();
    const QSize devicePixels(static_cast<int>(area.width() * density + 0.5),
                             static_cast<int>(area.height() * density + 0.5));
    if (!fine_.isNull() && devicePixels.width() > image.width()) {
        p.drawImage(area, fineAt(devicePixels));
        return;
    }
    // Without a finer picture, whole steps give crisp blocks instead of a blur.
    p.setRenderHint(QPainter::SmoothPixmapTransform, !zoom_.whole());
    p.drawImage(area, image);
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mousePressed(zoom_.twipsOfPixels(at.x()), zoom_.twipsOfPixels(at.y()), event->button());
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseReleased(zoom_.twipsOfPixels(at.x()), zoom_.twipsOfPixels(at.y()), event->button());
}

Lamp::Lamp(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Lamp::setColor(const QColor& color) {
    if (color == color_) return;
    color_ = color;
    update();
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QRadialGradient glow(r.center() - QPointF(r.width() / 5, r.height() / 5), r.width() / 1.4);
    glow.setColorAt(0, color_.lighter(170));
    glow.setColorAt(1, color_);
    p.setPen(QPen(QColor(0x50, 0x44, 0x36), 0.8));
    p.setBrush(glow);
    p.drawEllipse(r);
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect inside = contentsRect().adjusted(3, 0, -3, 0);
    const QString shown = p.fontMetrics().elidedText(text(), Qt::ElideLeft, inside.width());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(inside, static_cast<int>(alignment()), shown);
}

EventHook::EventHook(QWidget* watched, QEvent::Type type, std::function<void()> callback)
    : QObject(watched), type_(type), callback_(std::move(callback)) {
    watched->installEventFilter(this);
}

bool EventHook::eventFilter(QObject*, QEvent* event) {
    if (event->type() == type_) callback_();
    return false;
}

bool TextField::event(QEvent* event) {
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (key && static_cast<QKeyEvent*>(event)->keyCombination() ==
                   QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
        if (event->type() == QEvent::KeyPress) redo();
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

PanelFrame::PanelFrame(QWidget* parent, bool framed) : QFrame(parent) {
    if (framed) {
        setFrameShape(QFrame::StyledPanel);
        setFrameShadow(QFrame::Sunken);
    }
    setAutoFillBackground(true);
}

}  // namespace lutavo
