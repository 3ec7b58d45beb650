// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's dialogs over Qt Widgets, owned by the main window.

#include <QPoint>
#include <functional>

#include "core/messages.h"
#include "platform/dialogs.h"

class QWidget;

namespace lutavo {

class QtPrinter;

// The caption a message box shows when the program gives none of its own.

class QtDialogs : public Dialogs {
  public:
    // parent: the window the dialogs belong to. printer: the printer that the printer-setup
    // dialog configures, shared with the printing service (may be null: setup then changes a
    // printer of its own).
    QtDialogs(QWidget* parent, QtPrinter* printer);

    MessageAnswer message(const std::string& text, const std::string& caption,
                          MessageButtons buttons) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    int popupMenu(const Menu& menu) override;
    bool printerSetup() override;
    std::optional<SheetRange> printDialog(int sheets) override;

    // Where a place of the window (twips) lies on the screen, for a menu that drops from a
    // control; without it such a menu opens at the mouse.
    void setPlaceOnScreen(std::function<QPoint(const Placement&)> placeOnScreen) {
        placeOnScreen_ = std::move(placeOnScreen);
    }
    int chooseItem(const ChoiceRequest& request) override;
    std::optional<std::vector<int>> askNumbers(const std::string& title,
                                               const std::vector<NumberField>& fields) override;
    std::optional<std::string> showProgress(const ProgressReport& report) override;

  private:
    QWidget* parent_;
    QtPrinter* printer_;
    std::function<QPoint(const Placement&)> placeOnScreen_;
};

// The file-type filter shown for a request: "Lutavo songs (*.SNG *.sng)".
std::string fileFilterText(const FileDialogRequest& request);

}  // namespace lutavo
