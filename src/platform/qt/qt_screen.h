#pragma once
// The window as a Screen: its client area is read back with QWidget::grab.

#include <QPointer>
#include <QWidget>

#include "platform/screen.h"

namespace lutavo {

class QtScreen : public Screen {
  public:
    // widget: the window's client area; positions are taken relative to it.
    explicit QtScreen(QWidget* widget);

    bool grab(int x, int y, int width, int height, Picture& out) override;
    void processEvents() override;

  private:
    QPointer<QWidget> widget_;
};

}  // namespace lutavo
