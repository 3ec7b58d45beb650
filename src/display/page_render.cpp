#include "display/page_render.h"

#include "app/guitar.h"

namespace lutavo {

void pgScroll_Change(Guitar&) {}

}  // namespace lutavo
