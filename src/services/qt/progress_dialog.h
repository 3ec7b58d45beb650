// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress view as a dialog: minutes practised a day as bars, the best speed on each passage
// as lines over the same days, and the songs practised lately, one of which can be opened.

#include <QDialog>
#include <optional>
#include <string>

#include "platform/progress_report.h"

class QListWidget;

namespace lutavo {

class ProgressDialog : public QDialog {
  public:
    ProgressDialog(const ProgressReport& report, QWidget* parent);

    // The recent song chosen to open; nothing while none is chosen.
    std::optional<std::string> chosenSong() const;

  private:
    ProgressReport report_;
    QListWidget* recent_;
};

}  // namespace lutavo
