// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/view_binder.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <memory>
#include <optional>

#include "config/zoom_levels.h"
#include "core/window_controls.h"
#include "display/picture_files.h"
#include "services/qt/picture_qimage.h"
#include "ui/view_units.h"

namespace lutavo {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

template <typename W>
void place(W* widget, const Placement& at, bool visible, Zoom zoom) {
    const QRect r = zoom.rect(at);
    if (widget->geometry() != r) widget->setGeometry(r);
    if (widget->isVisibleTo(widget->parentWidget()) != visible) widget->setVisible(visible);
}

void setTip(QWidget* widget, const std::string& tip) {
    const QString text = qs(tip);
    if (widget->toolTip() != text) widget->setToolTip(text);
}

void syncButton(CommandButton* w, const Button& b, Zoom zoom) {
    place(w, b.at, b.visible, zoom);
    w->setZoom(zoom.factor());
    if (w->isEnabled() != b.enabled) w->setEnabled(b.enabled);
    w->setSunk(b.pressed);
}

}  // namespace

void ViewBinder::run(const std::function<void()>& handler) {
    if (stopped_) return;
    handler();
    if (afterRun_) afterRun_();
    sync();
}

void ViewBinder::sync() {
    if (stopped_) return;
    for (const auto& step : steps_)
        step();
}

CommandButton* ViewBinder::command(QWidget* parent, Button& button, Label& caption, Glyph glyph) {
    auto* w = new CommandButton(parent);
    w->setGlyph(glyph);
    onSync([this, w, &button, &caption] {
        syncButton(w, button, zoom());
        if (w->text() != qs(caption.caption)) w->setText(qs(caption.caption));
        w->setCaptionColor(toQColor(caption.color));
        setTip(w, button.tip.empty() ? caption.tip : button.tip);
        if (!caption.visible && w->isVisible()) w->hide();
    });
    return w;
}

CommandButton* ViewBinder::captionButton(QWidget* parent, CaptionButton& button) {
    auto* w = new CommandButton(parent);
    onSync([this, w, &button] {
        syncButton(w, button, zoom());
        if (w->text() != qs(button.caption)) w->setText(qs(button.caption));
        setTip(w, button.tip);
    });
    return w;
}

CommandButton* ViewBinder::fixedButton(QWidget* parent, Button& button, const QString& caption) {
    auto* w = new CommandButton(parent);
    w->setText(caption);
    onSync([this, w, &button] {
        syncButton(w, button, zoom());
        setTip(w, button.tip);
    });
    return w;
}

QLabel* ViewBinder::label(QWidget* parent, Label& label, Qt::Alignment alignment, Fit fit) {
    QLabel* w = fit == Fit::KeepEnd ? new ElidedLabel(parent) : new QLabel(parent);
    w->setAlignment(alignment);
    onSync([this, w, &label] {
        place(w, label.at, label.visible, zoom());
        if (w->text() != qs(label.caption)) w->setText(qs(label.caption));
        QPalette pal = w->palette();
        const QColor color = toQColor(label.color);
        if (pal.color(QPalette::WindowText) != color) {
            pal.setColor(QPalette::WindowText, color);
            w->setPalette(pal);
        }
        setTip(w, label.tip);
    });
    return w;
}

Lamp* ViewBinder::lamp(QWidget* parent, Label& lamp) {
    auto* w = new Lamp(parent);
    onSync([this, w, &lamp] {
        place(w, lamp.at, lamp.visible, zoom());
        w->setColor(toQColor(lamp.color));
    });
    return w;
}

QScrollBar* ViewBinder::scrollBar(QWidget* parent, ScrollBar& bar, Qt::Orientation orientation) {
    auto* w = new QScrollBar(orientation, parent);
    w->setPageStep(1);
    onSync([this, w, &bar] {
        place(w, bar.at, bar.visible, zoom());
        if (w->isEnabled() != bar.enabled) w->setEnabled(bar.enabled);
        const QSignalBlocker quiet(w);
        if (w->minimum() != bar.min || w->maximum() != bar.max) w->setRange(bar.min, bar.max);
        if (w->value() != bar.value) w->setValue(bar.value);
        setTip(w, bar.tip);
    });
    return w;
}

PanelFrame* ViewBinder::panel(QWidget* parent, Panel& panel, bool framed) {
    auto* w = new PanelFrame(parent, framed);
    onSync([this, w, &panel] { place(w, panel.at, panel.visible, zoom()); });
    return w;
}

PictureView* ViewBinder::picture(QWidget* parent, PictureBox& box, const Picture* source,
                                 const QImage& fallback, FineSource fine,
                                 const QImage& fineFallback) {
    auto* w = new PictureView(parent);
    bindFine(w, box, source, std::move(fine), fineFallback);
    // The revision last converted; none yet.
    auto converted = std::make_shared<std::optional<std::uint64_t>>();
    onSync([this, w, &box, source, fallback, converted] {
        if (!box.visible) {
            if (!w->isHidden()) w->hide();
            return;
        }
        const bool drawn = source != nullptr && !source->empty();
        if (drawn && *converted != source->revision()) {
            w->setImage(toQImage(*source));
            *converted = source->revision();
            ++conversions_[source];
        } else if (!drawn) {
            const FileImageRef file = box.file.empty() ? nullptr : fileImage(box.file);
            if (file != nullptr && file->readable()) {
                if (w->imageFile() != file) w->setImageFile(file);
            } else if (w->imageFile() != nullptr || fallback.cacheKey() != w->image().cacheKey()) {
                w->setImage(fallback);
            }
            converted->reset();
        }
        Placement at = box.at;
        if (at.width == 0) at.width = toTwips(w->imageSize().width());
        if (at.height == 0) at.height = toTwips(w->imageSize().height());
        place(w, at, true, zoom());
        w->setZoom(zoom());
        if (w->isEnabled() != box.enabled) w->setEnabled(box.enabled);
        setTip(w, box.tip);
    });
    return w;
}

QLineEdit* ViewBinder::textBox(QWidget* parent, TextBox& box) {
    auto* w = new TextField(parent);
    // The focus requests already carried out.
    auto focused = std::make_shared<int>(box.focusRequests);
    onSync([this, w, &box, focused] {
        place(w, box.at, box.visible, zoom());
        if (w->isEnabled() != box.enabled) w->setEnabled(box.enabled);
        // Only a text changed by the program is written back, so typing keeps its cursor.
        if (w->text() != qs(box.text)) {
            const QSignalBlocker programsOwnChange(w);
            w->setText(qs(box.text));
        }
        setTip(w, box.tip);
        if (*focused != box.focusRequests) {
            *focused = box.focusRequests;
            w->setFocus(Qt::OtherFocusReason);
        }
    });
    return w;
}

Zoom ViewBinder::zoom() const {
    return {g.ui.form.zoomPercent};
}

void ViewBinder::bindFine(PictureView* w, PictureBox& box, const Picture* source, FineSource fine,
                          const QImage& fineFallback) {
    // What the fine picture now shown was made from: the program's picture and its revision.
    auto shown = std::make_shared<std::pair<const Picture*, std::uint64_t>>(nullptr, 0);
    onSync([this, w, &box, source, fine = std::move(fine), fineFallback, shown] {
        const Picture* finer = fine ? fine() : nullptr;
        if (finer != nullptr && !finer->empty()) {
            const std::pair<const Picture*, std::uint64_t> now(finer, finer->revision());
            if (now != *shown) w->setFineImage(toQImage(*finer));
            *shown = now;
            return;
        }
        *shown = {nullptr, 0};
        // The program's picture files have their finer versions beside them.
        const int scale = fineScaleFor(zoom().percent);
        QImage image;
        if (scale > 1 && (source == nullptr || source->empty())) {
            image = box.file.empty() ? fineFallback
                                     : fileImage(scaledPictureName(box.file, scale))->image();
        }
        if (image.cacheKey() != w->fineImage().cacheKey()) w->setFineImage(image);
    });
}

int ViewBinder::conversions() const {
    int all = 0;
    for (const auto& [source, count] : conversions_)
        all += count;
    return all;
}

int ViewBinder::conversionsOf(const Picture& source) const {
    const auto found = conversions_.find(&source);
    return found == conversions_.end() ? 0 : found->second;
}

FileImageRef ViewBinder::fileImage(const std::string& file) {
    const std::string path = file.starts_with('/') ? file : g.app.appFolder + file;
    FileImageRef& image = fileImages_[path];
    if (image == nullptr) image = std::make_shared<FileImage>(qs(path));
    return image;
}

}  // namespace lutavo
