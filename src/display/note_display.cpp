#include "display/note_display.h"

#include "app/guitar.h"

namespace lutavo {

void shownote(Guitar&, int) {}

}  // namespace lutavo
