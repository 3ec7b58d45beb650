// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lesson player: the frame table, stepping with BACK, NEXT and the frame scroll bar, and
// what the lesson mode shows. The frames' commands are carried out by the window timer
// (runLessonFrame, where songs and panels are at hand).

#include "lessons/lesson_file.h"

namespace lutavo {

struct Guitar;
struct WindowControls;

// Puts a read lesson in place: lesson mode, frame 1 pending for the next timer tick, the frame
// scroll bar, the labels and the ribbon.
void startLesson(Guitar& g, const LessonScript& script);

// The frame scroll bar's change handler: stops playback and asks for the frame at its value.
// Going back skips every run of "lessonpic=" frames, which would only move straight on again.
void lscroll_Change(Guitar& g);
// The user moved the frame scroll bar to value.
void lscroll_Scroll(Guitar& g, int value);

// BACK (index 0) and NEXT (index 1) act when pressed; the release lets them up again, so they
// work like momentary push buttons.
void lbutton_Click(Guitar& g, int index);
void lbutton_MouseUp(WindowControls& ui);

// The ribbon returns to its neutral state: neither BACK nor NEXT is down.
void releaseLessonButtons(WindowControls& ui);

}  // namespace lutavo
