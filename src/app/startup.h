// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up, the window's fixed size, the window timer and shutdown.

#include <string>

namespace lutavo {

struct Guitar;
class InstanceLock;

struct StartupOptions {
    std::string appFolder;   // the program's data folder
    std::string folderArg;   // the folder, song or lesson named on the command line, or ""
    std::string userConfig;  // the user's configuration file
};

// The start-up values of the song model, the window and the configuration.
void setdefaults(Guitar& g);

// Runs the start-up sequence. Returns false when the program must end at once (another copy
// is running).
bool startup(Guitar& g, const StartupOptions& options, InstanceLock& lock);
// The state start-up builds, without the one-copy check: the window's and the command-line
// exports' common start.
void startState(Guitar& g, const StartupOptions& options);

// The window tried to change size: snap it back, or close the setup window when minimized.
void onResize(Guitar& g);

// One tick of the window timer.
void windowTimerTick(Guitar& g);

// The window closes: release the MIDI device. Nothing is written.
void shutdown(Guitar& g);

// Folder text with exactly one trailing "/".
std::string withTrailingSlash(const std::string& folder);

}  // namespace lutavo
