// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

#include "app/neck_entry.h"
#include "app/tuner_panel.h"
#include "config/zoom_levels.h"
#include "display/picture_files.h"
#include "playback/settings_adjuster.h"
#include "services/qt/picture_qimage.h"
#include "ui/sections.h"
#include "ui/view_binder.h"
#include "ui/view_units.h"

namespace lutavo {

namespace {

constexpr int kNeckHeight = 91;  // the neck picture's height, pixels

// Drawn when the program's capo picture is missing: a dark clamp across all six strings.
QImage drawnCapo() {
    QImage image(10, 88, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient metal(0, 0, 10, 0);
    metal.setColorAt(0, QColor(0x2A, 0x2A, 0x2E));
    metal.setColorAt(0.5, QColor(0x6C, 0x6C, 0x74));
    metal.setColorAt(1, QColor(0x22, 0x22, 0x26));
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(0.5, 0.5, 9, 87), 4, 4);
    return image;
}

void buildFretboard(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    auto* neck = b.picture(window, g.ui.fretboard, &g.neck.fretboard, QImage(), [&g] {
        return g.neck.fineScale > 1 ? &g.neck.fine.fretboard : nullptr;
    });
    neck->setObjectName("fretboard");
    neck->setCursor(Qt::PointingHandCursor);
    QObject::connect(
        neck, &PictureView::mousePressed, neck, [&b](int x, int y, Qt::MouseButton button) {
            b.run([&b, x, y, button] {
                fretboard_MouseDown(b.g, toMouseButton(button), toPixels(x), toPixels(y));
            });
        });
    QObject::connect(neck, &PictureView::mouseReleased, neck,
                     [&b](int, int, Qt::MouseButton) { b.run([&b] { fretboard_MouseUp(b.g); }); });

    // The capo sits inside the neck picture, placed in the picture's pixels.
    auto* capo = new PictureView(neck);
    capo->setObjectName("piccapo");
    capo->setImage(drawnCapo());
    capo->setCursor(Qt::PointingHandCursor);
    b.onSync([&b, &g, capo] {
        const PictureBox& box = g.ui.piccapo;
        capo->setVisible(box.visible);
        // Without a capo its picture is not read.
        if (!box.visible) return;
        const QImage image = box.file.empty() ? QImage() : b.fileImage(box.file)->image();
        if (!image.isNull()) capo->setImage(image);
        const int scale = fineScaleFor(b.zoom().percent);
        const QImage fine = box.file.empty() || scale == 1
                                ? QImage()
                                : b.fileImage(scaledPictureName(box.file, scale))->image();
        if (fine.cacheKey() != capo->fineImage().cacheKey()) capo->setFineImage(fine);
        capo->setZoom(b.zoom());
        const QSize size = capo->image().size();
        const QRect design(box.at.left, (kNeckHeight - size.height()) / 2, size.width(),
                           size.height());
        if (capo->geometry() != b.zoom().rect(design)) capo->setGeometry(b.zoom().rect(design));
        capo->setToolTip(QString::fromStdString(box.tip));
    });
    QObject::connect(capo, &PictureView::mousePressed, capo, [&b](int, int y, Qt::MouseButton) {
        b.run([&b, y] { piccapo_MouseDown(b.g, y); });
    });
    QObject::connect(capo, &PictureView::mouseReleased, capo,
                     [&b](int, int, Qt::MouseButton) { b.run([&b] { piccapo_MouseUp(b.g); }); });
}

void buildStringNames(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    b.panel(window, g.ui.pnlStringLabels, false)->setObjectName("pnlStringLabels");
    for (int i = 0; i <= 5; ++i) {
        auto* w = b.captionButton(window, g.ui.StringName[i]);
        w->setObjectName(QString("StringName(%1)").arg(i));
        w->setCaptionPointSize(7);
        w->setCaptionColor(QColor(0x30, 0x28, 0x20));
        QObject::connect(w, &CommandButton::clicked, w,
                         [&b, i] { b.run([&b, i] { StringName_Click(b.g, i); }); });
    }
    auto* reset = b.captionButton(window, g.ui.btntune);
    reset->setObjectName("btntune");
    reset->setCaptionPointSize(5.5);
    reset->setCaptionColor(QColor(0x30, 0x28, 0x20));
    QObject::connect(reset, &CommandButton::clicked, reset,
                     [&b] { b.run([&b] { btntune_Click(b.g); }); });
}

void buildFretNumbers(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    for (int k = 0; k <= 9; ++k) {
        auto* w = b.label(window, g.ui.lblFret[k], Qt::AlignHCenter | Qt::AlignTop);
        QFont font = w->font();
        font.setPointSizeF(6.5);
        font.setBold(true);
        w->setFont(font);
    }
}

// The fine-tuning panel beside the string being tuned: up/down bar, OK and DEF.
void buildTuner(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    auto* panel = b.panel(window, g.ui.pnlAdjTuning, true);
    panel->setObjectName("pnlAdjTuning");
    b.onSync([&g, panel] { panel->setToolTip(QString::fromStdString(g.ui.pnlAdjTuning.tip)); });
    auto* bar = b.scrollBar(panel, g.ui.scrlAdjTuning, Qt::Vertical);
    QObject::connect(bar, &QScrollBar::valueChanged, bar, [&b](int value) {
        b.run([&b, value] {
            if (b.g.ui.scrlAdjTuning.set(value)) scrlAdjTuning_Change(b.g);
        });
    });
    auto* ok = b.captionButton(panel, g.ui.cmdtuneOK);
    ok->setObjectName("cmdtuneOK");
    QObject::connect(ok, &CommandButton::clicked, ok,
                     [&b] { b.run([&b] { cmdtuneOK_Click(b.g); }); });
    auto* cancel = b.captionButton(panel, g.ui.cmdtunecancel);
    QObject::connect(cancel, &CommandButton::clicked, cancel,
                     [&b] { b.run([&b] { cmdtunecancel_Click(b.g); }); });
    for (auto* w : {ok, cancel}) {
        w->setCaptionPointSize(6.5);
        w->setCaptionColor(QColor(0x30, 0x28, 0x20));
    }
}

}  // namespace

void buildNeck(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    buildFretboard(b, window);
    buildStringNames(b, window);
    buildFretNumbers(b, window);
    auto* keys = b.picture(window, g.ui.keyboard, &g.neck.keyboard, QImage(),
                           [&g] { return g.neck.fineScale > 1 ? &g.neck.fine.keyboard : nullptr; });
    keys->setObjectName("keyboard");
    buildTuner(b, window);
}

}  // namespace lutavo
