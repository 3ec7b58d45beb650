// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mode_bar.h"

#include <array>
#include <cctype>
#include <filesystem>

#include "app/chord_library.h"
#include "app/editor_mode.h"
#include "app/lesson_frames.h"
#include "app/library_page.h"
#include "app/scale_library.h"
#include "app/song_files.h"
#include "app/song_import.h"
#include "app/song_tables.h"
#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "formats/score_file.h"
#include "playback/performer.h"
#include "playback/settings_adjuster.h"
#include "playback/transport.h"
#include "print/print_song.h"

namespace lutavo {

namespace {

constexpr int kLessonTimerInterval = 60;

struct ModeButtonInfo {
    const char* label;
    const char* tip;
};

constexpr std::array<ModeButtonInfo, 7> kModeButtons = {{
    {"SONGS", "Load a song file from disk"},
    {"LESSONS", "Load a lesson file from disk"},
    {"TUNE", "Tune your guitar to Lutavo pitch"},
    {"EDIT", "Go to Song Editor mode"},
    {"CHORDS", "Load the Chords module"},
    {"SCALES", "Load the Scales module"},
    {"PRINT", "Print out the current song"},
}};

bool folderExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

std::optional<std::string> chooseFile(Dialogs* dialogs, const FileDialogRequest& request) {
    if (dialogs == nullptr) return std::nullopt;
    return dialogs->openFile(request);
}

// The editor leaves before another song or lesson comes in; false when it stays open.
bool leaveEditorForLoad(Guitar& g) {
    if (g.app.appMode != kModeEditor) return true;
    return closeCurrentMode(g);
}

// The folder named on the command line; without one, the sample songs that come with the
// program when they are there.
std::string songFolder(const AppState& app) {
    const std::string samples = app.appFolder + files::kSampleSongsFolder;
    if (app.dataFolder == app.appFolder && folderExists(samples)) return samples;
    return app.dataFolder;
}

// The chosen song or lesson comes in, once the editor has let go.
bool takeSong(Guitar& g, const std::string& name) {
    if (!leaveEditorForLoad(g)) return false;
    g.app.appMode = kModeSongs;
    if (isImportFile(name)) {
        importSong(g, name);
    } else {
        loadsong(g, name);
    }
    return true;
}
bool takeLesson(Guitar& g, const std::string& name);

void colourModeLabels(WindowControls& ui, int active) {
    for (int i = 0; i <= 6; ++i)
        ui.opttxt[i].color = kColorAvailable;
    ui.opttxt[active].color = kColorActive;
}

// Each command answers whether it opened something: a cancelled dialog, a dismissed menu or a
// refusal leaves the bar as it was.
bool loadSongCommand(Guitar& g) {
    FileDialogRequest request = fileRequest("Load Song", "Songs, tablature and scores", ".SNG");
    // Other programs' files are opened as songs too.
    request.pattern += " " + importPatterns();
    request.folder = songFolder(g.app);
    const auto name = chooseFile(g.sys.dialogs, request);
    return name && takeSong(g, *name);
}

bool loadLessonCommand(Guitar& g) {
    FileDialogRequest request = fileRequest("Load Lesson", "Lutavo lessons", ".LSN");
    request.folder = g.app.appFolder;
    request.mustExist = true;
    const auto name = chooseFile(g.sys.dialogs, request);
    return name && takeLesson(g, *name);
}

bool takeLesson(Guitar& g, const std::string& name) {
    if (!leaveEditorForLoad(g)) return false;
    g.app.lessonFile = name;
    g.gtimer.interval = kLessonTimerInterval;
    loadlesson(g, name);
    return true;
}

bool tuneCommand(Guitar& g) {
    // The tuning song replaces the song in memory, so the editor must let go of it first.
    if (!leaveEditorForLoad(g)) return false;
    // The song states standard tuning for the lesson that teaches it; TUNE plays the strings as
    // the guitar is tuned now, so a guitarist can tune to the song just loaded.
    const auto tuning = g.song.altTuning;
    // Loading in editor mode keeps the transport usable even for a short tuning song.
    g.app.appMode = kModeEditor;
    loadsong(g, g.app.appFolder + files::kTuningSong);
    g.song.altTuning = tuning;
    g.display.tuningHeader = true;
    buildpitchtable(g);
    g.app.appMode = kModeSongs;
    playbtn_Click(g, kPlay);
    return true;
}

// The menu's answer: the item chosen, or -1 when it was dismissed.
int popUp(Services& sys, const Menu& menu) {
    if (sys.dialogs == nullptr) return -1;
    return sys.dialogs->popupMenu(menu);
}

// The menu as it drops from the button of the bar at index, or from the mouse.
Menu menuAt(const WindowControls& ui, Menu menu, int index, MenuPlace place) {
    if (place == MenuPlace::AtButton) menu.dropFrom = ui.opt[index].at;
    return menu;
}

Menu printMenu() {
    Menu m;
    m.caption = "Print";
    m.items = {{"Print Setup"}, {"-"}, {"Print Song"}, {"Export PDF..."}, {"Export MusicXML..."}};
    return m;
}

// A menu of the bar: the chosen item goes to its handler; false when it was dismissed.
template <typename Handler>
bool menuCommand(Guitar& g, const Menu& menu, Handler handler) {
    if (g.app.appMode == kModeEditor) return false;
    const int item = popUp(g.sys, menu);
    if (item < 0) return false;
    handler(g, item);
    return true;
}

bool runCommand(Guitar& g, int index, MenuPlace place) {
    switch (index) {
        case kModeBarSongs:
            return loadSongCommand(g);
        case kModeBarLessons:
            return loadLessonCommand(g);
        case kModeBarTune:
            return tuneCommand(g);
        case kModeBarEdit:
            enterEditor(g);
            return g.app.appMode == kModeEditor;
        case kModeBarChords:
            return menuCommand(g, g.ui.mnuchords, mnuchord_Click);
        case kModeBarScales:
            return menuCommand(g, g.ui.mnuscales, mnuscale_Click);
        case kModeBarPrint:
            // Printing is offered in the editor too.
            if (const int item = popUp(g.sys, menuAt(g.ui, g.ui.mnuPrint, index, place));
                item >= 0) {
                mnuPrint_Click(g, item);
                return true;
            }
            return false;
        default:
            return false;
    }
}

}  // namespace

void setupModeBar(Guitar& g) {
    for (int i = 0; i <= 6; ++i) {
        g.ui.opttxt[i].caption = kModeButtons[i].label;
        g.ui.opttxt[i].tip = kModeButtons[i].tip;
        g.ui.opt[i].tip = kModeButtons[i].tip;
    }
    setupLibraries(g.library, g.ui);
    g.ui.mnuPrint = printMenu();
}

void modeBarPress(Guitar& g, int index, MenuPlace place) {
    if (index < kModeBarSongs || index > kModeBarPrint) return;
    std::array<Color, 7> before{};
    for (int i = 0; i <= 6; ++i)
        before[static_cast<std::size_t>(i)] = g.ui.opttxt[i].color;
    const bool coloured = g.app.appMode != kModeLesson;
    if (coloured) {
        colourModeLabels(g.ui, index);
    } else {
        closeCurrentMode(g);
        if (g.app.appMode == kModeLesson && index != kModeBarPrint) return;
    }
    if (index <= kModeBarEdit && isLibraryMode(g.app.appMode)) closeCurrentMode(g);
    // During a lesson the labels were left alone, and closing it has set them afresh.
    if (runCommand(g, index, place) || !coloured) return;
    for (int i = 0; i <= 6; ++i)
        g.ui.opttxt[i].color = before[static_cast<std::size_t>(i)];
}

void openNamedFile(Guitar& g, const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool lesson = extension == ".LSN";
    if (isLibraryMode(g.app.appMode)) closeCurrentMode(g);
    colourModeLabels(g.ui, lesson ? kModeBarLessons : kModeBarSongs);
    if (lesson) {
        takeLesson(g, path);
    } else {
        takeSong(g, path);
    }
}

bool closeCurrentMode(Guitar& g) {
    presentNote(g, kShowOnly);
    auto& ui = g.ui;
    switch (g.app.appMode) {
        case kModeEditor:
            return leaveEditor(g);
        case kModeChords:
        case kModeScales:
            restorePageArea(g);
            break;
        default:
            break;
    }
    ui.form.mousePointer = MousePointer::Hourglass;
    g.app.appMode = kModeSongs;
    btnSwapper_Click(g, kSettingLeadIn);
    closesong(g);
    return true;
}

void closesong(Guitar& g) {
    g.gtimer.interval = kWindowTimerInterval;
    g.app.lessonRequest.clear();
    g.app.lessonFrame = 1;
    g.app.lessonFrameCount = 1;
    g.ui.pnllesson.visible = false;
    for (int i = 0; i <= 5; ++i)
        g.ui.opttxt[i].color = kColorAvailable;
    for (int i : {kEditorBack, kEditorNext}) {
        g.ui.lblsongentry[i].color = kColorUnavailable;
        g.ui.btnsongentry[i].enabled = false;
    }
    if (g.app.appMode < kModeEditor) loadsong(g, g.app.appFolder + files::kIntroSong);
    g.app.appMode = kModeSongs;
    showLeadInScaleOnClose(g);
}

}  // namespace lutavo
