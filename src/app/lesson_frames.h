// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading a lesson and carrying out its frames: the meeting point of the lesson player with
// songs, clips, pictures and the panel layout.

#include <string>

namespace lutavo {

struct Guitar;

// Reads a lesson file and starts it at frame 1. A file that cannot be used is reported, naming
// it, and the state stays as it was.
void loadlesson(Guitar& g, const std::string& fileName);

// Carries out lessonRequest; called by the window timer when it differs from lessonShown. A
// picture, song or clip the frame names that is missing is reported once and the lesson goes on.
void runLessonFrame(Guitar& g);

}  // namespace lutavo
