// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window-wide state of the application shell: mode, folders, geometry and the keyboard tables.

#include <set>
#include <string>
#include <vector>

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

enum AppMode : int {
    kModeSongs = 0,
    kModeLesson = 1,
    kModeChords = 2,
    kModeScales = 3,
    kModeEditor = 4,
};

// The chord and the scale library show a locked one-page song under their strip of types.
inline bool isLibraryMode(int mode) {
    return mode == kModeChords || mode == kModeScales;
}

// Requests the setup window leaves for applysound (0 = none, or a direct reopen).
enum SoundRequest : int {
    kSoundReopen = 0,
    kSoundSetupOk = 1,
    kSoundSetupCancel = 2,  // read the configuration again, then reopen
    kSoundTestDown = 3,     // reopen, then sound the six open strings
    kSoundTestUp = 4,       // stop the test chord
    kSoundSave = 5,         // write the configuration only
};

// The window timer's interval: while nothing else asks for it, and while the setup window is
// open (its requests are carried out at the next tick).
inline constexpr int kWindowTimerInterval = 3000;
inline constexpr int kSetupTimerInterval = 100;

// The songs made of an imported piece longer than one song holds: the text of each song file
// and which of them is loaded. Saving the loaded one writes the others beside it.
struct ImportedParts {
    std::vector<std::string> texts;
    std::size_t shown = 0;
};

// The lesson's frame table holds this many frames; a longer lesson is refused rather than cut
// short, so that no lesson silently loses its ending.
inline constexpr int kMaxLessonFrames = 160;

struct AppState {
    i16 appMode = kModeSongs;
    std::string appFolder;        // the program's data folder, ending in "/"
    std::string dataFolder;       // the folder given on the command line, else appFolder
    std::string configFile;       // the user's configuration file that Save writes
    std::string documentsFolder;  // the user's documents folder, ending in "/"
    std::string lastSaveFolder;   // where a song was saved last, ending in "/"; "" for none
    i16 windowHeight = 3000 + 3800;
    bool firstSong = true;
    i16 introSong = 0;
    i16 pendingSoundAction = kSoundReopen;  // a SoundRequest
    std::string lessonRequest;
    std::string lessonShown;
    std::string lessonFile;
    // The lesson's current frame and its number of frames.
    i16 lessonFrame = 1;
    i16 lessonFrameCount = 1;
    // The lesson's frame commands, frame 1 first.
    FixedArray<std::string, 1, kMaxLessonFrames> lessonFrames;
    bool quitRequested = false;

    FixedArray<i16, 1, 12> keyOffset;
    FixedArray<i16, 1, 60> keyX;
    FixedArray<i16, 1, 60> keyKind;

    // Files already reported missing, so each is reported once.
    std::set<std::string> reportedMissing;

    ImportedParts importedParts;
};

}  // namespace lutavo
