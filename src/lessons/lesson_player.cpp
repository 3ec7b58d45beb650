// SPDX-License-Identifier: GPL-3.0-or-later
#include "lessons/lesson_player.h"

#include <algorithm>
#include <string>

#include "core/control_ids.h"
#include "core/data_files.h"
#include "core/guitar.h"
#include "playback/transport.h"

namespace lutavo {

namespace {

// Frames that show a lesson picture and move straight on ("lessonpic=").
constexpr std::string_view kMovesOnPrefix = "lesson";
constexpr int kSteppingTimerInterval = 50;

constexpr std::string_view kPictureKey = "lessonpic=";

bool movesOn(const std::string& frame) {
    return frame.starts_with(kMovesOnPrefix);
}

// The steps the user sees among frames 1..last: a picture frame moves straight on to the
// next frame and is no step of its own, unless nothing follows it.
int stepsUpTo(const AppState& a, int last) {
    int steps = 0;
    for (int k = 1; k <= last; ++k) {
        if (!a.lessonFrames[k].starts_with(kPictureKey) || k == a.lessonFrameCount) ++steps;
    }
    return steps;
}

// The counter counts steps, not frames: "3 of 14" while the third step is on show.
void showFrameNumber(AppState& app, WindowControls& ui) {
    const auto& a = app;
    const int last = std::clamp<int>(a.lessonFrame, 0, a.lessonFrameCount);
    ui.lbllnum.caption = std::to_string(std::max(stepsUpTo(a, last), 1));
}

// The picture that goes with the current frame: the lesson's latest picture before it (a
// picture frame shows its own as it runs), or the program's own lesson picture before the
// lesson shows one.
void showFramePicture(AppState& app, WindowControls& ui) {
    const auto& a = app;
    auto& box = ui.NewLessonPic;
    box.file = files::kDefaultLessonPicture;
    for (int k = std::min<int>(a.lessonFrame, a.lessonFrameCount + 1) - 1; k >= 1; --k) {
        const std::string& frame = a.lessonFrames[k];
        if (frame.starts_with(kPictureKey)) {
            box.file = a.dataFolder + frame.substr(kPictureKey.size());
            break;
        }
    }
}

}  // namespace

void startLesson(Guitar& g, const LessonScript& script) {
    auto& a = g.app;
    auto& ui = g.ui;
    a.lessonFrame = 0;
    for (const std::string& frame : script.frames)
        a.lessonFrames[++a.lessonFrame] = frame;
    a.lessonFrameCount = a.lessonFrame;
    ui.lblltotal.caption = std::to_string(std::max(stepsUpTo(a, a.lessonFrameCount), 1));
    a.lessonFrame = 1;
    showFrameNumber(g.app, g.ui);
    // Not the picture an earlier lesson left on show.
    showFramePicture(g.app, g.ui);
    a.appMode = kModeLesson;
    a.lessonRequest = a.lessonFrameCount >= 1 ? a.lessonFrames[1] : std::string();
    // A frame left shown by an earlier lesson must not keep this lesson's first frame from
    // running.
    a.lessonShown.clear();
    ui.lscroll.min = 1;
    ui.lscroll.max = std::max<int>(a.lessonFrameCount, 1);
    ui.lscroll.value = 1;
    for (int i : {kLessonBack, kLessonNext})
        ui.lbutton[i].enabled = true;
    releaseLessonButtons(g.ui);
    for (int i : {kModeBarSongs, kModeBarTune, kModeBarEdit, kModeBarChords, kModeBarScales})
        ui.opttxt[i].color = kColorAvailable;
    ui.lbllexit.caption = "CLOSE";
    ui.btnlexit.tip = "Close lesson";
    ui.pnllesson.visible = true;
}

void lscroll_Change(Guitar& g) {
    auto& a = g.app;
    auto& bar = g.ui.lscroll;
    const bool inLesson = a.appMode == kModeLesson;
    if (inLesson) {
        playbtn_Click(g, kStop);
        g.gtimer.interval = kSteppingTimerInterval;
        int value = bar.value;
        while (value < a.lessonFrame && value >= 2 && value <= a.lessonFrameCount &&
               movesOn(a.lessonFrames[value]))
            --value;
        bar.value = value;
    }
    if (bar.value < 1 || bar.value > kMaxLessonFrames) return;
    a.lessonFrame = static_cast<i16>(bar.value);
    showFrameNumber(g.app, g.ui);
    if (!inLesson) return;
    a.lessonRequest = a.lessonFrames[a.lessonFrame];
    showFramePicture(g.app, g.ui);
}

void lscroll_Scroll(Guitar& g, int value) {
    if (g.ui.lscroll.set(value)) lscroll_Change(g);
}

void lbutton_Click(Guitar& g, int index) {
    auto& bar = g.ui.lscroll;
    if (index != kLessonBack && index != kLessonNext) return;
    g.ui.lbutton[index].pressed = true;
    g.ui.lbutton[kLessonIdle].pressed = false;
    const int step = index == kLessonBack ? -1 : 1;
    const bool canMove = index == kLessonBack ? bar.value >= 2 : bar.value < bar.max;
    if (canMove && bar.set(bar.value + step)) lscroll_Change(g);
}

void lbutton_MouseUp(WindowControls& ui) {
    releaseLessonButtons(ui);
}

void releaseLessonButtons(WindowControls& ui) {
    ui.lbutton[kLessonBack].pressed = false;
    ui.lbutton[kLessonNext].pressed = false;
    ui.lbutton[kLessonIdle].pressed = true;
}

}  // namespace lutavo
