// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/qt/qt_screen.h"

#include <QCoreApplication>

namespace lutavo {

QtScreen::QtScreen(QWidget* widget, std::function<void()> sync)
    : widget_(widget), sync_(std::move(sync)) {}

void QtScreen::processEvents() {
    QCoreApplication::processEvents();
}

void QtScreen::present() {
    if (sync_) sync_();
    if (widget_ != nullptr) widget_->repaint();
    QCoreApplication::processEvents();
}

}  // namespace lutavo
