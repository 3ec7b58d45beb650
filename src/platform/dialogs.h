// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialogs the program asks of the desktop: message boxes, file choosers, popup menus, printer
// setup.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/controls.h"
#include "platform/progress_report.h"

namespace lutavo {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct FileDialogRequest {
    std::string title;
    std::string filterName;  // "Lutavo songs"
    std::string pattern;     // "*.SNG"
    std::string defaultExt;  // ".SNG"
    std::string folder;      // initial folder
    std::string fileName;    // initial file name
    bool mustExist = false;
};

// A request for the files of one kind: those ending in ext, which is added to a name typed
// without it.
inline FileDialogRequest fileRequest(std::string title, std::string filterName,
                                     const std::string& ext) {
    FileDialogRequest request;
    request.title = std::move(title);
    request.filterName = std::move(filterName);
    request.pattern = "*" + ext;
    request.defaultExt = ext;
    return request;
}

// Sheets of a print run, 1-based, both included.
struct SheetRange {
    int first = 1;
    int last = 1;
};

// A question answered by picking one of several items, one of them offered first.
struct ChoiceRequest {
    std::string title;
    std::string prompt;
    std::vector<std::string> items;
    int preselected = 0;
};

// A number set in a form, within lo..hi; a yes-or-no answer (0 or 1) when yesNo.
struct NumberField {
    std::string label;
    int value = 0;
    int lo = 0;
    int hi = 0;
    std::string suffix;  // "%"
    bool yesNo = false;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Caption "" shows the program's title.
    virtual MessageAnswer message(const std::string& text, const std::string& caption,
                                  MessageButtons buttons) = 0;
    // The chosen path; nothing when the user cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    // Returns the index of the chosen item, or -1 when the menu was dismissed.
    virtual int popupMenu(const Menu& menu) = 0;
    // Returns true when the user confirmed the printer setup.
    virtual bool printerSetup() = 0;
    // The desktop's print dialog for a run of `sheets` sheets (printer, copies, the sheets to
    // print, printing to a file): the sheets chosen, or nothing when cancelled.
    virtual std::optional<SheetRange> printDialog(int sheets) = 0;
    // Returns the index of the chosen item, or -1 when cancelled. Where nobody can be asked,
    // the item offered first.
    virtual int chooseItem(const ChoiceRequest& request) { return request.preselected; }
    // The form's numbers as the user left them, each within its limits; nothing when cancelled
    // or where nobody can be asked.
    virtual std::optional<std::vector<int>> askNumbers(const std::string& /*title*/,
                                                       const std::vector<NumberField>& /*fields*/) {
        return std::nullopt;
    }
    // Shows the practice progress until closed: the recent song chosen there to open, or nothing.
    virtual std::optional<std::string> showProgress(const ProgressReport& /*report*/) {
        return std::nullopt;
    }
};

}  // namespace lutavo
