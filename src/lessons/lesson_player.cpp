#include "lessons/lesson_player.h"

#include <algorithm>
#include <string>

#include "core/control_ids.h"
#include "core/guitar.h"
#include "playback/transport.h"

namespace lutavo {

namespace {

// Frames that show a lesson picture and move straight on ("lessonpic=").
constexpr std::string_view kMovesOnPrefix = "lesson";
constexpr int kSteppingTimerInterval = 50;

bool movesOn(const std::string& frame) {
    return frame.starts_with(kMovesOnPrefix);
}

void showFrameNumber(Guitar& g) {
    g.ui.lbllnum.caption = std::to_string(g.app.lessonFrame);
}

}  // namespace

void startLesson(Guitar& g, const LessonScript& script) {
    auto& a = g.app;
    auto& ui = g.ui;
    a.lessonFrame = 0;
    for (const std::string& frame : script.frames)
        a.lessonFrames[++a.lessonFrame] = frame;
    a.lessonFrameCount = a.lessonFrame;
    ui.lblltotal.caption = std::to_string(a.lessonFrameCount);
    a.lessonFrame = 1;
    showFrameNumber(g);
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
    releaseLessonButtons(g);
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
    showFrameNumber(g);
    if (inLesson) a.lessonRequest = a.lessonFrames[a.lessonFrame];
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

void lbutton_MouseUp(Guitar& g) {
    releaseLessonButtons(g);
}

void releaseLessonButtons(Guitar& g) {
    g.ui.lbutton[kLessonBack].pressed = false;
    g.ui.lbutton[kLessonNext].pressed = false;
    g.ui.lbutton[kLessonIdle].pressed = true;
}

}  // namespace lutavo
