#include "lessons/lesson_player.h"

#include "core/guitar.h"

namespace lutavo {

// Lessons arrive with their own issue: a pending frame is marked as shown so it is not retried.
void runLessonFrame(Guitar& g) {
    g.app.lessonShown = g.app.lessonRequest;
}

}  // namespace lutavo
