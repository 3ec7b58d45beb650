// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/messages.h"

#include <filesystem>

#include "base/safe_file.h"
#include "core/guitar.h"

namespace lutavo {

void showMessage(Guitar& g, const std::string& text, const std::string& caption) {
    if (g.sys.dialogs == nullptr) return;
    g.sys.dialogs->message(text, caption.empty() ? kProgramTitle : caption, MessageButtons::Ok);
}

bool askYesNo(Guitar& g, const std::string& text, const std::string& caption) {
    if (g.sys.dialogs == nullptr) return false;
    return g.sys.dialogs->message(text, caption.empty() ? kProgramTitle : caption,
                                  MessageButtons::YesNo) == MessageAnswer::Yes;
}

void reportMissingOnce(Guitar& g, const std::string& path) {
    if (!g.app.reportedMissing.insert(path).second) return;
    std::string why = whyNotAFile(path);
    if (why == "does not exist") why = "is missing";
    showMessage(g, "The file " + path + " " + why + ". Lutavo goes on without it.");
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

}  // namespace lutavo
