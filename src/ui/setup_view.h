// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup window: a small window kept above the main window that never blocks it and is
// shown without taking the focus. It draws the core's setup-window model and hands every
// action to the setup window's handlers.

#include <QWidget>

namespace lutavo {

class ViewBinder;

class SetupView : public QWidget {
    Q_OBJECT
  public:
    SetupView(ViewBinder& binder, QWidget* mainWindow);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void build();
    void buildSoundGroup();
    void buildPreferences();
    void buildInput();
    void syncShown();

    ViewBinder& b_;
    QWidget* mainWindow_;
};

}  // namespace lutavo
