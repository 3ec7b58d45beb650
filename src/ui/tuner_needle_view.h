// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The listening tuner's needle over the tuning page: the note heard, how far off it is, and
// which string it is nearest.

#include <QWidget>

#include "core/tuning_state.h"

namespace lutavo {

class ViewBinder;

class TunerNeedle : public QWidget {
    Q_OBJECT
  public:
    TunerNeedle(QWidget* parent, ViewBinder& binder);
    // Brought up to date after every handler: shown while the tuning page listens.
    void follow();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintScale(QPainter& p, const QRectF& scale) const;

    ViewBinder& b_;
    HeardTuning shown_;
};

}  // namespace lutavo
