#pragma once

namespace lutavo {

struct Guitar;

// Runs the lesson frame named by lessonRequest.
void runLessonFrame(Guitar& g);

}  // namespace lutavo
