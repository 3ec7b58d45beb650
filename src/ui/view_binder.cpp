#include "ui/view_binder.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <memory>
#include <optional>

#include "core/window_controls.h"
#include "platform/qt/picture_qimage.h"
#include "ui/view_units.h"

namespace lutavo {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

template <typename W>
void place(W* widget, const Placement& at, bool visible) {
    const QRect r = toPixelRect(at);
    if (widget->geometry() != r) widget->setGeometry(r);
    if (widget->isVisibleTo(widget->parentWidget()) != visible) widget->setVisible(visible);
}

void setTip(QWidget* widget, const std::string& tip) {
    const QString text = qs(tip);
    if (widget->toolTip() != text) widget->setToolTip(text);
}

void syncButton(CommandButton* w, const Button& b) {
    place(w, b.at, b.visible);
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
    onSync([w, &button, &caption] {
        syncButton(w, button);
        if (w->text() != qs(caption.caption)) w->setText(qs(caption.caption));
        w->setCaptionColor(toQColor(caption.color));
        setTip(w, button.tip.empty() ? caption.tip : button.tip);
        if (!caption.visible && w->isVisible()) w->hide();
    });
    return w;
}

CommandButton* ViewBinder::captionButton(QWidget* parent, CaptionButton& button) {
    auto* w = new CommandButton(parent);
    onSync([w, &button] {
        syncButton(w, button);
        if (w->text() != qs(button.caption)) w->setText(qs(button.caption));
        setTip(w, button.tip);
    });
    return w;
}

CommandButton* ViewBinder::fixedButton(QWidget* parent, Button& button, const QString& caption) {
    auto* w = new CommandButton(parent);
    w->setText(caption);
    onSync([w, &button] {
        syncButton(w, button);
        setTip(w, button.tip);
    });
    return w;
}

QLabel* ViewBinder::label(QWidget* parent, Label& label, Qt::Alignment alignment, Fit fit) {
    QLabel* w = fit == Fit::KeepEnd ? new ElidedLabel(parent) : new QLabel(parent);
    w->setAlignment(alignment);
    onSync([w, &label] {
        place(w, label.at, label.visible);
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
    onSync([w, &lamp] {
        place(w, lamp.at, lamp.visible);
        w->setColor(toQColor(lamp.color));
    });
    return w;
}

QScrollBar* ViewBinder::scrollBar(QWidget* parent, ScrollBar& bar, Qt::Orientation orientation) {
    auto* w = new QScrollBar(orientation, parent);
    w->setPageStep(1);
    onSync([w, &bar] {
        place(w, bar.at, bar.visible);
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
    onSync([w, &panel] { place(w, panel.at, panel.visible); });
    return w;
}

PictureView* ViewBinder::picture(QWidget* parent, PictureBox& box, const Picture* source,
                                 const QImage& fallback) {
    auto* w = new PictureView(parent);
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
            QImage shown = box.file.empty() ? QImage() : fileImage(box.file);
            if (shown.isNull()) shown = fallback;
            if (shown.cacheKey() != w->image().cacheKey()) w->setImage(shown);
            converted->reset();
        }
        Placement at = box.at;
        if (at.width == 0) at.width = toTwips(w->image().width());
        if (at.height == 0) at.height = toTwips(w->image().height());
        place(w, at, true);
        if (w->isEnabled() != box.enabled) w->setEnabled(box.enabled);
        setTip(w, box.tip);
    });
    return w;
}

QLineEdit* ViewBinder::textBox(QWidget* parent, TextBox& box) {
    auto* w = new QLineEdit(parent);
    // The focus requests already carried out.
    auto focused = std::make_shared<int>(box.focusRequests);
    onSync([w, &box, focused] {
        place(w, box.at, box.visible);
        if (w->isEnabled() != box.enabled) w->setEnabled(box.enabled);
        // Only a text changed by the program is written back, so typing keeps its cursor.
        if (w->text() != qs(box.text)) w->setText(qs(box.text));
        setTip(w, box.tip);
        if (*focused != box.focusRequests) {
            *focused = box.focusRequests;
            w->setFocus(Qt::OtherFocusReason);
        }
    });
    return w;
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

QImage ViewBinder::fileImage(const std::string& file) {
    const std::string path = file.starts_with('/') ? file : g.app.appFolder + file;
    auto found = fileImages_.find(path);
    if (found != fileImages_.end()) return found->second;
    QImage image(qs(path));
    fileImages_.emplace(path, image);
    return image;
}

}  // namespace lutavo
