// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The marks of a scored play over the page: one dot per note judged, coloured by how it was
// played, on the row of the note pointer under its column; and the last pass's score.

#include <QWidget>
#include <string>
#include <vector>

#include "core/scoring_state.h"

namespace lutavo {

class ViewBinder;

class ScoreMarksView : public QWidget {
    Q_OBJECT
  public:
    ScoreMarksView(QWidget* parent, ViewBinder& binder);
    // Brought up to date after every handler: the marks of the page shown.
    void follow();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ViewBinder& b_;
    std::vector<ScoreMark> shown_;
    std::string caption_;
};

}  // namespace lutavo
