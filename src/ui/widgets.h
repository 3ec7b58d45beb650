// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few widgets the window is drawn with: flat command buttons, pictures drawn pixel-exact,
// and plain panels.

#include <QAbstractButton>
#include <QEvent>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <functional>

#include "ui/file_image.h"
#include "ui/view_units.h"

namespace lutavo {

// A small symbol drawn beside a command's caption.
enum class Glyph {
    None,
    Rewind,
    Forward,
    Play,
    Pause,
    Back,
    Next,
    Stop,
    Repeat,
    Sound,
    Metronome,
    Setup,
    Close
};

// A flat toolbar button that carries its own caption in the caption's colour (the colour tells
// available, active or unavailable), drawn sunk while held or while the program says pressed.
class CommandButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit CommandButton(QWidget* parent);

    void setCaptionColor(const QColor& color);
    void setSunk(bool sunk);
    void setGlyph(Glyph glyph);
    void setCaptionPointSize(qreal points);
    // Draws the button's face, symbol and caption at the window's zoom.
    void setZoom(double factor);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QColor captionColor_;
    bool sunk_ = false;
    bool hovered_ = false;
    Glyph glyph_ = Glyph::None;
    qreal pointSize_ = 7;
    double zoom_ = 1.0;
};

// A picture drawn at one window pixel per picture pixel times the window's zoom (scaled as a
// whole on a high-density screen). A finer picture, when there is one, is drawn instead
// wherever more than one device pixel falls on a picture pixel; otherwise the picture is
// enlarged pixel by pixel at whole zooms and smoothly at the others. Reports mouse presses and
// releases in twips of the picture.
class PictureView : public QWidget {
    Q_OBJECT
  public:
    explicit PictureView(QWidget* parent);

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    // A picture file instead of an image, read when the view is first painted.
    void setImageFile(FileImageRef file);
    const FileImageRef& imageFile() const { return file_; }
    // The size of the image or the file's picture, without reading the file's pixels.
    QSize imageSize() const;
    // The same picture drawn at a finer scale, painted instead of it wherever the widget is
    // drawn at more than one pixel to a window pixel (printing, zoom); a null image for none.
    void setFineImage(const QImage& image);
    const QImage& fineImage() const { return fine_; }
    void setZoom(Zoom zoom);

  signals:
    void mousePressed(int xTwips, int yTwips, Qt::MouseButton button);
    void mouseReleased(int xTwips, int yTwips, Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The fine picture resampled to `size` device pixels, kept until either changes.
    const QImage& fineAt(QSize size);

    // The plain picture: the file's when there is one, else the image.
    const QImage& shown() const { return file_ != nullptr ? file_->image() : image_; }

    QImage image_;
    FileImageRef file_;
    QImage fine_;
    QImage fineResampled_;
    Zoom zoom_;
};

// The filled round lamp of the metronome.
class Lamp : public QWidget {
    Q_OBJECT
  public:
    explicit Lamp(QWidget* parent);
    void setColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_;
};

// Calls back when its watched widget gets one of the events asked for (focus changes, clicks
// on plain panels).
class EventHook : public QObject {
    Q_OBJECT
  public:
    EventHook(QWidget* watched, QEvent::Type type, std::function<void()> callback);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QEvent::Type type_;
    std::function<void()> callback_;
};

// A one-line text box in which Ctrl+Y puts back what Ctrl+Z took back, as Ctrl+Shift+Z does,
// rather than reaching the window's redo of the song.
class TextField : public QLineEdit {
    Q_OBJECT
  public:
    explicit TextField(QWidget* parent) : QLineEdit(parent) {}

  protected:
    bool event(QEvent* event) override;
};

// A caption too long for its place is cut at the left, so a file name's end stays readable.
class ElidedLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ElidedLabel(QWidget* parent) : QLabel(parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A panel: a plain frame with a faint face, holding child controls at fixed positions.
class PanelFrame : public QFrame {
    Q_OBJECT
  public:
    PanelFrame(QWidget* parent, bool framed);
};

}  // namespace lutavo
