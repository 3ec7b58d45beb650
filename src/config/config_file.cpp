#include "config/config_file.h"

#include "app/guitar.h"

namespace lutavo {

void readconfig(Guitar&) {}

bool writeconfig(Guitar&) { return false; }

}  // namespace lutavo
