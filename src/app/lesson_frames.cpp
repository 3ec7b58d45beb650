// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lesson_frames.h"

#include <array>
#include <optional>
#include <string_view>
#include <variant>

#include "app/panels.h"
#include "app/song_files.h"
#include "app/song_header.h"
#include "base/safe_file.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/page_render.h"
#include "display/picture_files.h"
#include "lessons/lesson_player.h"
#include "song/song_reader.h"

namespace lutavo {

namespace {

// The page area a "size=" frame may ask for, in twips (as a song's "size=").
constexpr int kPageHeightLo = songlimits::kPageHeightLo;
constexpr int kPageHeightHi = songlimits::kPageHeightHi;

// The file a frame names, from the data folder. A lesson opened by its path makes its own folder
// the data folder, while the program's lessons name the program's files ("lessons/l3_p1.SNG"):
// a name the data folder lacks is looked for in the program's folder too. A missing one is
// reported once, as in the data folder, and skipped.
std::optional<std::string> dataFile(Guitar& g, std::string_view name) {
    for (const std::string* folder : {&g.app.dataFolder, &g.app.appFolder}) {
        std::string path = *folder + std::string(name);
        if (fileExists(path)) return path;
    }
    reportMissingOnce(g, g.app.dataFolder + std::string(name));
    return std::nullopt;
}

void setTitle(Guitar& g, std::string_view text) {
    g.ui.form.caption = std::string(kProgramTitle) + " - " + std::string(text);
}

void setPageArea(Guitar& g, std::string_view height) {
    layoutPanels(g, clampTo(numberPrefix(height), kPageHeightLo, kPageHeightHi));
}

void loadPages(Guitar& g, std::string_view name) {
    g.display.pagewindow = Picture();
    g.display.pagewindowCells = CellGrid{};
    if (auto path = dataFile(g, name)) loadPictureFile(g, *path, g.display.pagewindow);
}

void showLessonPicture(Guitar& g, std::string_view name) {
    if (auto path = dataFile(g, name)) {
        g.ui.NewLessonPic.file = *path;
        g.ui.NewLessonPic.visible = true;
    }
    lbutton_Click(g, kLessonNext);
}

void dividePages(Guitar& g, std::string_view count) {
    const i16 pages =
        headerNumber(std::string(count), songlimits::kFramesLo, songlimits::kFramesHi);
    g.display.pagewindowCells = CellGrid{1, pages};
    g.ui.pgScroll.max = pages;
    g.ui.pgScroll.value = 1;
    g.ui.scrollpanel.visible = pages > 1;
}

void loadLessonSong(Guitar& g, std::string_view name) {
    if (auto path = dataFile(g, name)) loadsong(g, *path);
}

void playLessonClip(Guitar& g, std::string_view name) {
    if (auto path = dataFile(g, name)) playLoadClip(g, *path);
}

using FrameEffect = void (*)(Guitar&, std::string_view);

struct FrameKey {
    std::string_view key;
    FrameEffect run;
    // Its value names a file in the data folder; the program's own lessons keep theirs in a
    // folder of it, so a path that stays inside the data folder is followed too.
    bool namesFile;
};

constexpr std::array<FrameKey, 7> kFrameKeys = {{
    {"title=", setTitle, false},
    {"size=", setPageArea, false},
    {"page=", loadPages, true},
    {"lessonpic=", showLessonPicture, true},
    {"frames=", dividePages, false},
    {"loadsng=", loadLessonSong, true},
    {"playwav=", playLessonClip, true},
}};

// Why a key's value is not followed; "" when it is.
std::string refusedValue(const FrameKey& known, std::string_view value) {
    if (!known.namesFile || staysInFolder(value)) return "";
    return namedElsewhereMessage("lesson's", std::string(known.key), std::string(value),
                                 "the data folder");
}

}  // namespace

void loadlesson(Guitar& g, const std::string& fileName) {
    std::optional<ItemReader> reader;
    if (fileExists(fileName)) reader = ItemReader::open(fileName);
    if (!reader) {
        showMessage(g, notOpenedMessage("lesson", fileName));
        return;
    }
    const auto result = readLessonText(*reader, fileName);
    if (const auto* failure = std::get_if<ReadFailure>(&result)) {
        showMessage(g, failure->message);
        return;
    }
    startLesson(g, std::get<LessonScript>(result));
    // Lesson mode makes room for the lesson panel under the neck.
    layoutPanels(g, g.song.pageHeight);
}

void runLessonFrame(Guitar& g) {
    auto& a = g.app;
    a.lessonShown = a.lessonRequest;
    releaseLessonButtons(g.ui);
    // A "lessonpic=" frame asks for the next frame while it runs, so work on a copy.
    const std::string frame = a.lessonShown;
    const FrameCommand command = splitFrame(frame);
    for (const FrameKey& known : kFrameKeys) {
        if (command.key != known.key) continue;
        if (const std::string why = refusedValue(known, command.value); !why.empty()) {
            showMessage(g, why);
        } else {
            known.run(g, command.value);
        }
    }
    if (hasPicturePages(g.song)) showFirstPicturePage(g);
}

}  // namespace lutavo
