#include "display/page_layout.h"

#include "app/guitar.h"

namespace lutavo {

void layoutpage(Guitar&) {}

}  // namespace lutavo
