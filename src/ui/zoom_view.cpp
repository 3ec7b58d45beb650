// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/zoom_view.h"

#include <QList>
#include <QVariant>
#include <QWidget>

namespace lutavo {

namespace {

constexpr const char* kDesignRect = "lutavoDesignRect";
constexpr const char* kDesignPoints = "lutavoDesignPoints";

}  // namespace

void placeDesigned(QWidget* widget, const QRect& design) {
    widget->setProperty(kDesignRect, design);
    widget->setGeometry(design);
}

void applyZoom(QWidget* root, Zoom zoom) {
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    // Every designed size is taken before any is changed: a child's inherited font would
    // otherwise already be the zoomed one.
    for (QWidget* w : all) {
        if (!w->property(kDesignPoints).isValid()) {
            w->setProperty(kDesignPoints, w->font().pointSizeF());
        }
    }
    for (QWidget* w : all) {
        QFont font = w->font();
        font.setPointSizeF(w->property(kDesignPoints).toDouble() * zoom.factor());
        if (font != w->font()) w->setFont(font);
        const QVariant design = w->property(kDesignRect);
        if (design.isValid()) w->setGeometry(zoom.rect(design.toRect()));
    }
}

}  // namespace lutavo
