// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every fuzz target shares: a scratch folder of the process's own, quiet dialogs that count
// the messages, and the way an oracle reports a broken promise.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/dialogs.h"

namespace lutavo::fuzz {

// A folder under the system's temporary folder that belongs to this process alone; it goes
// when the process ends normally.
const std::string& scratchFolder();

// Writes the bytes to name inside the scratch folder; returns the full path.
std::string writeScratch(const std::string& name, const std::uint8_t* data, std::size_t size);

std::string readWhole(const std::string& path);

// Says which promise broke and stops the process so that libFuzzer keeps the input.
[[noreturn]] void broken(const char* promise);

// Every message is counted, not shown; every question is answered No, every chooser cancelled.
class CountingDialogs : public Dialogs {
  public:
    MessageAnswer message(const std::string&, const std::string&, MessageButtons buttons) override {
        ++messages;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    int popupMenu(const Menu&) override { return -1; }
    bool printerSetup() override { return false; }
    std::optional<SheetRange> printDialog(int) override { return std::nullopt; }

    int messages = 0;
};

}  // namespace lutavo::fuzz
