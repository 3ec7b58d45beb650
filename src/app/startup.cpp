// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <filesystem>

#include "app/form_design.h"
#include "app/lesson_frames.h"
#include "app/mode_bar.h"
#include "app/panels.h"
#include "app/setup_input.h"
#include "app/window_zoom.h"
#include "config/config_defaults.h"
#include "config/config_file.h"
#include "config/setup_window.h"
#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/fretboard.h"
#include "display/glyph_layout.h"
#include "display/page_render.h"
#include "listen/wait_mode.h"
#include "platform/instance_lock.h"
#include "platform/midi_out.h"
#include "platform/sound_clock.h"
#include "playback/settings_adjuster.h"
#include "playback/sound.h"
#include "practice/practice_session.h"
#include "song/song_defaults.h"
#include "tuning/heard_tuning.h"

namespace lutavo {

namespace {

constexpr int kLeadInSetting = 5;

// What the command line names: a folder of songs, or a song or lesson to open from its folder,
// or something that is not there (then the message that says so).
struct PathArgument {
    std::string folder;
    std::string file;
    std::string missing;
};

PathArgument readPathArgument(const std::string& arg) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (arg.empty() || fs::is_directory(arg, ec)) return {arg, "", ""};
    if (fs::is_regular_file(arg, ec)) return {fs::path(arg).parent_path().string(), arg, ""};
    // A device or a pipe is there, but no song can be read from it.
    if (fs::exists(arg, ec)) return {"", "", "not a regular file\n" + arg};
    const bool named = fs::path(arg).has_extension();
    return {"", "", std::string(named ? "file not found" : "folder not found") + "\n" + arg};
}

}  // namespace

std::string withTrailingSlash(const std::string& folder) {
    if (folder.empty()) return "";
    std::string f = folder;
    while (f.size() > 1 && f.back() == '/')
        f.pop_back();
    return f == "/" ? f : f + "/";
}

void setdefaults(Guitar& g) {
    designForm(g.ui);
    designSetupWindow(g.setup);
    setSongDefaults(g.song);
    g.app.appMode = kModeSongs;
    g.app.firstSong = true;

    g.ntimer.enabled = false;
    g.ui.pointer.visible = true;
    g.ui.scrollpanel.visible = false;
    g.ui.form.at.left = 400;
    g.ui.form.at.top = 400;
    g.ui.form.at.width = kWindowWidthTwips;

    setConfigDefaults(g.config);
    g.ui.lblcopybuff.visible = false;
    // The editor's command panel shows only while a song is being edited.
    g.ui.pnlSongEntry.visible = false;

    for (int k = 1; k <= 12; ++k)
        g.app.keyOffset[k] = static_cast<i16>(glyph::kKeyOffset[k - 1]);
    buildKeyboardTables(g.app);
    setupPlaybackControls(g);

    // The adjuster starts on the lead-in scale.
    g.ui.PicSwapper.file = files::kScaleLeadIn;
    g.ui.lblswapper[kLeadInSetting].color = kColorActive;
    setfretboard(g);

    // Captions and tips of the mode bar and the settings panel, and the page's pictures,
    // must be in place before the first song is drawn.
    setupModeBar(g);
    setupSettingsPanel(g.ui);
    loadPagePictures(g);
}

bool startup(Guitar& g, const StartupOptions& options, InstanceLock& lock) {
    if (!lock.acquire()) {
        showMessage(g, "This program is already running");
        return false;
    }
    startState(g, options);
    return true;
}

void startState(Guitar& g, const StartupOptions& options) {
    g.app.appFolder = withTrailingSlash(options.appFolder);
    const PathArgument arg = readPathArgument(options.folderArg);
    g.app.dataFolder = arg.folder.empty() ? g.app.appFolder : withTrailingSlash(arg.folder);
    g.app.configFile = options.userConfig;

    setdefaults(g);
    readconfig(g);
    applysound(g);

    g.gtimer.interval = kWindowTimerInterval;
    g.gtimer.enabled = true;
    // The first song's page is drawn once, at every scale the zoom needs; a configured zoom
    // whose window would not fit the screen falls back to one that does.
    takeZoomPictures(g);
    closesong(g);
    if (!arg.missing.empty()) showMessage(g, arg.missing);
    if (!arg.file.empty()) openNamedFile(g, arg.file);
}

void onResize(Guitar& g) {
    auto& form = g.ui.form;
    if (form.minimized || form.maximized) {
        closeSetupWindow(g);
        return;
    }
    form.at.height = g.app.windowHeight;
    form.at.width = kWindowWidthTwips;
}

void windowTimerTick(Guitar& g) {
    if (g.app.pendingSoundAction) applysound(g);
    settleSetupTimer(g);
    const bool othersListen =
        g.tuning.heard.listening || g.practice.wait.waiting || g.practice.scoring.listening;
    followSetupInput(g.setup, g.config, g.sys.input, g.sys.midi, steadyMs(g.sys.clock),
                     othersListen);
    if (!g.app.lessonRequest.empty() && g.app.lessonRequest != g.app.lessonShown) {
        runLessonFrame(g);
    }
}

void shutdown(Guitar& g) {
    // A Save made just before quitting is kept, though the window timer has not come round.
    if (g.app.pendingSoundAction == kSoundSave) applysound(g);
    if (g.sys.midi != nullptr) g.sys.midi->close();
    stopWaiting(g.practice.wait, g.sys.input, g.ltimer, g.tuning.heard.listening);
    stopHearing(g.tuning.heard, g.sys.input, g.ltimer);
    closeSetupWindow(g);
    endPracticeSession(g.practice);
}

}  // namespace lutavo
