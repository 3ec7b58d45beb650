#include "tuning/pitch_table.h"

#include "app/guitar.h"

namespace lutavo {

void buildpitchtable(Guitar&) {}

}  // namespace lutavo
