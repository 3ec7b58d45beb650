// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialogs for a run nobody watches: every message goes to standard error, every question is
// answered No and every chooser cancelled, so nothing waits for a click.

#include <cstdio>
#include <string>

#include "platform/dialogs.h"

namespace lutavo {

class HeadlessDialogs : public Dialogs {
  public:
    MessageAnswer message(const std::string& text, const std::string& caption,
                          MessageButtons buttons) override {
        const bool ownCaption = !caption.empty() && caption != "Lutavo";
        std::fprintf(stderr, "lutavo: %s%s%s\n", ownCaption ? caption.c_str() : "",
                     ownCaption ? ": " : "", text.c_str());
        ++messages;
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return {}; }
    int popupMenu(const Menu&) override { return -1; }
    bool printerSetup() override { return false; }
    std::optional<SheetRange> printDialog(int) override { return std::nullopt; }

    int messages = 0;
};

}  // namespace lutavo
