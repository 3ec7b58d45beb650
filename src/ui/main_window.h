// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: draws Guitar's control models and hands every user action and timer tick to
// the core, then syncs.

#include <QWidget>
#include <functional>
#include <memory>

#include "ui/view_binder.h"

namespace lutavo {

class TimerDriver;
class SoundClock;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // soundClock: marked with the due time of every playback tick (see SoundClock).
    explicit MainWindow(Guitar& g, SoundClock* soundClock = nullptr);
    ~MainWindow() override;

    ViewBinder& binder() { return binder_; }
    // Brings every widget, the window's size and the timers up to date with the models.
    void sync() { binder_.sync(); }
    // How much of its screen the window may take, in pixels; empty when it has no screen.
    QSize screenArea() const;
    // Tells the program of screenArea().
    void reportScreen();
    // Runs then from the event loop once the window has been painted the first time.
    void afterFirstPaint(std::function<void()> then) { afterFirstPaint_ = std::move(then); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void syncWindow();
    void bindKeys();

    Guitar& g_;
    ViewBinder binder_;
    QWidget* statusStrip_ = nullptr;
    std::unique_ptr<TimerDriver> playbackTimer_;
    std::unique_ptr<TimerDriver> windowTimer_;
    std::unique_ptr<TimerDriver> listenTimer_;
    bool closing_ = false;
    bool screenWatched_ = false;
    int zoomApplied_ = 100;  // the zoom the fonts and designed rectangles now have
    std::function<void()> afterFirstPaint_;
};

}  // namespace lutavo
