// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages to the user. Problems are shown in a message box and the state stays as it was.

#include <string>

#include "platform/dialogs.h"

namespace lutavo {

struct Guitar;

inline constexpr const char* kProgramTitle = "Lutavo";

// A message box with OK; caption "" shows the program's title.
void showMessage(Guitar& g, const std::string& text, const std::string& caption = "");

// A Yes/No question; true for Yes. Without a dialog service the answer is No.
bool askYesNo(Guitar& g, const std::string& text, const std::string& caption = "");

// Reports a data file that is missing (or is no file: a folder, a pipe, a link to nothing) once
// per run; later calls for the same file stay quiet.
void reportMissingOnce(Guitar& g, const std::string& path);

// True when path names a regular file.
bool fileExists(const std::string& path);

// The folder of a path up to and including its last "/"; "" when it has none.
std::string folderOf(const std::string& path);

}  // namespace lutavo
