#include "core/messages.h"

#include <filesystem>

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

std::string whyNotAFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_regular_file(status)) return "";
    if (fs::is_directory(status)) return "is a folder";
    if (fs::exists(status)) return "is not a regular file";
    if (fs::is_symlink(fs::symlink_status(path, ec)))
        return "is a link to a file that is not there";
    return "does not exist";
}

std::string notOpenedMessage(const std::string& kind, const std::string& path) {
    if (path.empty()) return "No " + kind + " file was named.";
    const std::string why = whyNotAFile(path);
    return "The " + kind + " file " + path + " " + (why.empty() ? "cannot be read" : why) + ".";
}

}  // namespace lutavo
