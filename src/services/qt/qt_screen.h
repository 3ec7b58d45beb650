// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window as a Screen.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/screen.h"

namespace lutavo {

class QtScreen : public Screen {
  public:
    // widget: the window's client area; positions are taken relative to it.
    // sync brings the widgets up to date with the program's state.
    explicit QtScreen(QWidget* widget, std::function<void()> sync = {});

    void processEvents() override;
    void present() override;

  private:
    QPointer<QWidget> widget_;
    std::function<void()> sync_;
};

}  // namespace lutavo
